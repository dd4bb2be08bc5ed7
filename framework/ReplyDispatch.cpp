#include "framework/ReplyDispatch.h"

#include <QWidget>

#include "core/DSTovera.h"
#include "core/QXRequest.h"
#include "framework/RootScreenServices.h"
#include "platform/Alert.h"
#include "platform/Log.h"
#include "platform/Text.h"

namespace tovera {

namespace {
constexpr int kClientError = 101;
constexpr int kSignedOutUpload = 203;
constexpr std::size_t kLoggedTextLength = 60;
constexpr const char* kLeftProperty = "toveraScreenLeft";
}  // namespace

std::string ReplyDispatch::describe(const Value& reply) {
    const Dict* dict = reply.dict();
    if (!dict)
        return reply.isArray() ? "[" + std::to_string(reply.items().size()) + " items]"
                               : reply.toText();
    std::string out = "{";
    for (const auto& [key, value] : *dict) {
        if (out.size() > 1) out += ", ";
        out += key + "=";
        if (platform::isSecretKey(key))
            out += "***";
        else if (value.isArray())
            out += "[" + std::to_string(value.items().size()) + " items]";
        else if (value.isDict())
            out += "{...}";
        else {
            std::string text = value.toText();
            if (text.size() > kLoggedTextLength)
                text = std::string(platform::utf8Prefix(text, kLoggedTextLength)) + "...";
            out += text;
        }
    }
    return out + "}";
}

ReplyCode ReplyDispatch::code(const Value& reply) {
    if (reply["code"].isNull()) return ReplyCode::Missing;
    return reply.getIntValueForKey("code", 0) > 0 ? ReplyCode::Refused : ReplyCode::Accepted;
}

bool ReplyDispatch::refused(const Value& reply, std::string_view refusalTitle) {
    platform::logLine("response:" + describe(reply));
    if (code(reply) != ReplyCode::Refused) return false;
    platform::showAlert(
        {std::string(refusalTitle), reply.getStringValueForKey("msg", ""), {"确定"}, 0, {}});
    return true;
}

void ReplyDispatch::keepCategories(const QXRequest* request, const Value& reply) {
    if (request && request->url().find("news/sort.aspx") != std::string::npos)
        DSTovera::newsSortCaches(reply["result"]);
}

bool ReplyDispatch::showClientError(const Error& error) {
    if (error.code != kClientError) return false;
    if (error.userInfo.getIntValueForKey(keyCodeSDKError, 0) == kSignedOutUpload)
        RootScreenServices::shared().alertViewTologin();
    else
        platform::showAlert({"提示", "出错了", {"确定"}, 0, {}});
    return true;
}

void ReplyDispatch::markLeft(QWidget* screenView) {
    if (screenView) screenView->setProperty(kLeftProperty, true);
}

bool ReplyDispatch::inLeftScreen(const QWidget* view) {
    for (const QWidget* w = view; w; w = w->parentWidget())
        if (w->property(kLeftProperty).toBool()) return true;
    return false;
}

void ReplyDispatch::showFailure(const QXRequest* request, const Error& error,
                                platform::ui::ViewController* failedScreen,
                                const QWidget* failedView) {
    if (inLeftScreen(failedView)) {
        platform::logLine("no alert for a failure of a screen already left");
        return;
    }
    if (showClientError(error)) return;
    if (request && request->params().getStringValueForKey("api", "") == "newmsg") return;
    RootScreenServices::shared().errAlert(failedScreen);
}

}  // namespace tovera
