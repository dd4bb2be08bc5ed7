#include "account/UserProtocol.h"

#include "framework/NSUtil.h"
#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/views/Label.h"

namespace tovera {

UserProtocol::UserProtocol(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("用户服务协议"));
}

namespace {
constexpr double kMargin = 10;
}  // namespace

void UserProtocol::loadView() {
    // The page has a background of its own: nothing is drawn beneath a
    // screen's view.
    auto* page = new platform::ui::ScrollView(QRectF(0, 0, 320, 416));
    page->setBackgroundColor(Qt::white);
    auto* text = new platform::ui::Label;
    text->setNumberOfLines(0);
    text->setLineBreakMode(platform::ui::Label::LineBreak::WordWrap);
    text->setFont(NSUtil::normalFont());
    text->setTextColor(NSUtil::black());
    text->setText(agreementText());
    const double width = page->frame().width() - 2 * kMargin;
    const QSizeF needed = text->sizeThatFits(QSizeF(width, 0));
    text->setFrame(QRectF(kMargin, kMargin, width, needed.height()));
    page->addSubview(text);
    page->setContentSize(QSizeF(page->frame().width(), needed.height() + 2 * kMargin));
    setView(page);
}

QString UserProtocol::agreementText() {
    return QStringLiteral(
        "用户服务协议\n\n"
        "一、总则\n"
        "欢迎使用本房产门户的手机客户端。注册成为会员前，请您仔细阅读本协议。您点击“注册”"
        "即表示您已阅读并同意本协议的全部内容。\n\n"
        "二、账号\n"
        "1. 用户名长度为2至16个字符，密码长度为5至16个字符。\n"
        "2. 您应妥善保管账号和密码，并对以该账号进行的一切活动负责。\n"
        "3. 如发现账号被他人使用，请立即修改密码。\n\n"
        "三、使用规范\n"
        "您在咨询、话题、评论、直播和私信中发布的内容应真实、合法，不得含有违法、"
        "侵权、虚假或广告信息。门户有权删除违反本协议的内容。\n\n"
        "四、信息与隐私\n"
        "您填写的个人资料和置业信息按您选择的隐私级别向其他会员展示。门户不会向"
        "第三方出售您的个人信息。\n\n"
        "五、免责\n"
        "楼盘价格、销售状态等信息仅供参考，以开发商和相关部门公布的为准。\n\n"
        "六、其他\n"
        "本协议的修改将在客户端内公布，修改后继续使用即视为接受修改后的协议。");
}

}  // namespace tovera
