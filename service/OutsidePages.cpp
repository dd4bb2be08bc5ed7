// Endpoints outside the JSON dialogue: the splash picture service, the
// geocoding endpoint /maps/geo and the crash-report endpoint /ics/report.php.
#include <algorithm>

#include "platform/Md5.h"
#include "service/Handlers.h"
#include "service/Portal.h"

namespace tovera::service {

namespace {

// The text whose upper-case MD5 authenticates a crash report (a deployment
// setting shared with the client).
constexpr std::string_view kCrashReportKeyText = "tovera-crash-report";

// The address of the current splash picture, as plain ASCII text.
Reply splash(const IncomingRequest& in, Portal& portal) {
    return textReply("http://" + portal.hostFor(in.host) + "/pic/" + portal.splashPicture(),
                     "text/plain; charset=GB18030");
}

// "status,accuracy,latitude,longitude" for a project named in the address
// (accuracy 8), else a city (4); "602" when neither is found.
Reply geocode(const IncomingRequest& in, Portal& portal) {
    std::string q = pageParameters(in)["q"].toText();
    std::string answer = "602";
    Database& db = portal.database();
    auto lock = db.lock();
    Statement projects(db,
                       "SELECT lat, lon FROM project WHERE lat <> '' AND instr(?1, name) > 0 "
                       "ORDER BY length(name) DESC, id LIMIT 1");
    projects.bind(1, q);
    if (projects.step()) {
        answer = "200,8," + projects.text(0) + "," + projects.text(1);
    } else {
        Statement cities(db,
                         "SELECT lat, lon FROM city WHERE instr(?1, name) > 0 "
                         "ORDER BY length(name) DESC, id LIMIT 1");
        cities.bind(1, q);
        if (cities.step()) answer = "200,4," + cities.text(0) + "," + cities.text(1);
    }
    return textReply(answer, "text/plain; charset=utf-8");
}

// Stores every report, flagged by whether its "authkey" is the right one.
Reply crashReport(const IncomingRequest& in, Portal& portal) {
    Dict fields = pageParameters(in);
    std::string authkey = fields["authkey"].toText();
    bool authentic = authkey == platform::md5Hex(kCrashReportKeyText, true);
    Database& db = portal.database();
    auto lock = db.lock();
    execute(
        db,
        "INSERT INTO crash_report(platform, model, rom, app, version, report, authkey, auth_ok, "
        "created_at) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, unixepoch())",
        fields["platform"].toText(), fields["model"].toText(), fields["rom"].toText(),
        fields["app"].toText(), fields["version"].toText(), fields["report"].toText(), authkey,
        authentic ? 1 : 0);
    return textReply("ok", "text/plain; charset=utf-8");
}

}  // namespace

void addOutsidePages(Router& router) {
    router.addPage("/api/phone/system/splash.aspx", splash);
    router.addPage("/maps/geo", geocode);
    router.addPage("/ics/report.php", crashReport);
}

}  // namespace tovera::service
