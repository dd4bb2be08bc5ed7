#include "core/CrashReport.h"

#include "core/Encoding.h"
#include "core/ServiceSettings.h"
#include "platform/Device.h"
#include "platform/Log.h"

namespace tovera {

CrashReportFacts CrashReportFacts::current(std::string version) {
    const platform::DeviceInfo device = platform::deviceInfo();
    CrashReportFacts facts;
    facts.model = device.name + " " + device.model;
    facts.rom = device.systemName + device.systemVersion;
    facts.version = std::move(version);
    facts.authkey = MD5EncodedString(serviceSettings().crashReportKey);
    return facts;
}

std::string crashReportText(std::string_view name, std::string_view reason,
                            std::string_view callStack) {
    std::string text;
    text.reserve(name.size() + reason.size() + callStack.size() + 2);
    text.append(name).append(",").append(reason).append(",").append(callStack);
    return text;
}

std::string callStackText(const std::vector<std::string>& frames) {
    if (frames.empty()) return "()";
    std::string text = "(";
    for (std::size_t i = 0; i < frames.size(); ++i)
        text.append("\n    ").append(frames[i]).append(i + 1 < frames.size() ? "," : "");
    text.append("\n)");
    return text;
}

std::vector<QXFormDataRequest::Field> crashReportFields(const CrashReportFacts& facts,
                                                        std::string_view report) {
    return {{"platform", "2"},         {"model", facts.model},     {"rom", facts.rom},
            {"app", "Tovera"},         {"version", facts.version}, {"report", std::string(report)},
            {"authkey", facts.authkey}};
}

bool postCrashReport(const CrashReportFacts& facts, std::string_view report) {
    platform::logLine("model:" + facts.model);
    platform::logLine("report:" + std::string(report));
    auto request = QXFormDataRequest::requestWithURL(serviceSettings().crashReportBase() +
                                                     std::string(kCrashReportPath));
    for (const auto& field : crashReportFields(facts, report))
        request->addPostValue(field.value, field.key);
    request->startSynchronous();
    if (request->error()) platform::logLine("crash report not sent: " + *request->error());
    return !request->error() && request->responseStatusCode() / 100 == 2;
}

}  // namespace tovera
