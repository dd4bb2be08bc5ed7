#include "comments/CommentItem.h"

#include <QRegularExpression>
#include <QUrl>

#include "comments/CommentForm.h"
#include "core/DSTovera.h"
#include "framework/NSUtil.h"
#include "framework/Navigator.h"
#include "framework/ReplyDispatch.h"
#include "framework/RootScreenServices.h"
#include "platform/AppHome.h"
#include "platform/Log.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/ImageView.h"
#include "platform/ui/views/Label.h"
#include "platform/ui/web/WebView.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::Label;
using platform::ui::View;
using platform::ui::WebView;

namespace {

constexpr double kWidth = 320;
constexpr double kTitleHeight = 30;
constexpr double kHeadHeight = 26;
constexpr double kBarHeight = 30;
constexpr double kInitialBodyHeight = 30;

Button* barButton(View* bar, double x, double width, CommentItem* cell) {
    auto* button = new Button(QRectF(x, 3, width, kBarHeight - 6));
    button->setFont(NSUtil::smallFont());
    button->setTitleColor(NSUtil::bluecolor());
    bar->addSubview(button);
    cell->connectButton(button);
    return button;
}

}  // namespace

CommentItem::CommentItem(QWidget* parent) : CustomCell(QStringLiteral("CommentItem"), parent) {
    setFrame(QRectF(0, 0, kWidth, kHeadHeight + kInitialBodyHeight + kBarHeight));
    View* content = contentView();

    titleBtn_ = new Button(QRectF(0, 0, kWidth, kTitleHeight));
    titleBtn_->setFont(NSUtil::normalFont());
    titleBtn_->setTitleColor(NSUtil::black());
    titleBtn_->setContentHorizontalAlignment(platform::ui::Control::HorizontalAlignment::Left);
    titleBtn_->setContentEdgeInsets({0, 10, 0, 10});
    content->addSubview(titleBtn_);
    connectButton(titleBtn_);

    mainView_ = new View(QRectF(0, kTitleHeight, kWidth, frame().height()));
    content->addSubview(mainView_);

    userBtn_ = new Button(QRectF(10, 3, 150, kHeadHeight - 6));
    userBtn_->setFont(NSUtil::smallFont());
    userBtn_->setTitleColor(NSUtil::bluecolor());
    userBtn_->setContentHorizontalAlignment(platform::ui::Control::HorizontalAlignment::Left);
    mainView_->addSubview(userBtn_);
    connectButton(userBtn_);

    dateLable_ = new Label(QRectF(160, 3, 150, kHeadHeight - 6));
    dateLable_->setFont(NSUtil::smallFont());
    dateLable_->setTextColor(Qt::gray);
    dateLable_->setTextAlignment(Qt::AlignRight);
    mainView_->addSubview(dateLable_);

    commentWeb_ = new WebView(QRectF(5, kHeadHeight, kWidth - 10, kInitialBodyHeight));
    commentWeb_->setScrollEnabled(false);
    mainView_->addSubview(commentWeb_);

    btnView_ = new View(QRectF(0, kHeadHeight + kInitialBodyHeight, kWidth, kBarHeight));
    mainView_->addSubview(btnView_);
    replyBtn_ = barButton(btnView_, 130, 50, this);
    replyBtn_->setTitle(QStringLiteral("回复"));
    agreeBtn_ = barButton(btnView_, 180, 65, this);
    disBtn_ = barButton(btnView_, 245, 65, this);

    hiddeTitle(true);
}

QString CommentItem::localContentHtml(const QString& text) {
    static const QRegularExpression code(QStringLiteral("\\[[f|F]ace\\d{1,2}]"));
    QString html = text;
    for (QRegularExpressionMatch match = code.match(html); match.hasMatch();
         match = code.match(html)) {
        const QString name = match.captured().toLower().mid(1, match.capturedLength() - 2);
        html.replace(match.capturedStart(), match.capturedLength(),
                     QStringLiteral("<img src=\"%1.png\" />").arg(name));
    }
    platform::logLine(html.toStdString());
    return QStringLiteral(
               "<html><link rel=\"stylesheet\" type=\"text/css\" href=\"style.css\"><body>%1</body>"
               "</html>")
        .arg(html);
}

void CommentItem::setInfo(const Dict& info) {
    CustomCell::setInfo(info);
    titleBtn_->setTitle(QString::fromStdString(info.getStringValueForKey("catname", "") + " " +
                                               info.getStringValueForKey("title", "")));
    titleBtn_->titleLabel()->setTag(info.getIntValueForKey("classtype", 1));
    titleBtn_->imageView()->setTag(info.getIntValueForKey("cid", 0));
    param_ = QXParam();
    param_.setRid(info.getStringValueForKey("id", "0"));
    userBtn_->setTitle(QString::fromStdString(info.getStringValueForKey("user", "")));
    userBtn_->titleLabel()->setTag(info.getIntValueForKey("uid", 0));
    dateLable_->setText(QString::fromStdString(info.getStringValueForKey("update_at", "")));
    agreeBtn_->setTag(info.getIntValueForKey("agree", 0));
    showCount(agreeBtn_);
    disBtn_->setTag(info.getIntValueForKey("disagree", 0));
    showCount(disBtn_);
    voted_ = nullptr;
    commentWeb_->setOpaque(false);
    commentWeb_->loadHTMLString(
        localContentHtml(QString::fromStdString(info.getStringValueForKey("commenthtml", ""))),
        QUrl::fromLocalFile(QString::fromStdString(platform::resourceDirectory()) + "/"));
}

void CommentItem::hiddeTitle(bool hidden) {
    titleBtn_->setHidden(hidden);
    QRectF main = mainView_->frame();
    main.moveTop(hidden ? titleBtn_->frame().top() : titleBtn_->frame().bottom());
    mainView_->setFrame(main);
    setSelectionStyle(hidden ? SelectionStyle::None : SelectionStyle::Blue);
    QRectF cell = frame();
    cell.setHeight(main.bottom());
    setFrame(cell);
}

double CommentItem::contentHeight() const {
    return commentWeb_->contentHeight() + btnView_->frame().height() + commentWeb_->frame().top();
}

double CommentItem::rowHeight() const {
    return mainView_->frame().bottom();
}

void CommentItem::webViewDidFinishLoad(WebView* webView) {
    QRectF body = webView->frame();
    body.setHeight(webView->contentHeight());
    webView->setFrame(body);
    QRectF bar = btnView_->frame();
    bar.moveTop(body.bottom());
    btnView_->setFrame(bar);
    QRectF main = mainView_->frame();
    main.setHeight(bar.bottom());
    mainView_->setFrame(main);
    QRectF cell = frame();
    cell.setHeight(main.bottom());
    setFrame(cell);
}

void CommentItem::agree() {
    vote(agreeBtn_, "1");
}

void CommentItem::disAgree() {
    vote(disBtn_, "0");
}

void CommentItem::vote(Button* button, const char* operate) {
    DSTovera* session = RootScreenServices::shared().session();
    if (!session) return;
    param_.setOperate(operate);
    param_.setUid(session->userId() ? Value(*session->userId()) : Value());
    voted_ = button;
    session->userAgree(param_.param(), this);
}

void CommentItem::requestDidLoad(QXRequest*, const Value& reply) {
    Button* counter = voted_;
    voted_ = nullptr;
    // Only a vote answered with a code of exactly 0 counts.
    if (!counter || ReplyDispatch::code(reply) == ReplyCode::Missing ||
        reply.getIntValueForKey("code", -1) != 0)
        return;
    counter->setTag(counter->tag() + 1);
    showCount(counter);
    NSUtil::makeText(reply.getStringValueForKey("msg", "操作成功")).show();
}

void CommentItem::showCount(Button* button) {
    const QString format =
        button == agreeBtn_ ? QStringLiteral("支持(%1)") : QStringLiteral("反对(%1)");
    button->setTitle(format.arg(button->tag()));
}

void CommentItem::replyComment() {
    auto* form = new CommentForm;
    form->param().setRid(param_.rid());
    form->param().setPtype("6");
    Navigator::push(nullptr, form);  // cells open on the application's stack
}

void CommentItem::sourceDetail() {
    // The kind of object the comment is about, as the title button's tag
    // carries it; a project's own comments (1) have no page of their own.
    static constexpr std::pair<int, Destination> kSources[] = {
        {2, Destination::Article},  {3, Destination::Topic},   {4, Destination::Activity},
        {5, Destination::LiveRoom}, {6, Destination::Project},
    };
    const int kind = titleBtn_->titleLabel()->tag();
    for (const auto& [tag, destination] : kSources) {
        if (tag != kind) continue;
        Navigator::open(
            nullptr, Route::toObject(destination, std::to_string(titleBtn_->imageView()->tag())));
        return;
    }
}

void CommentItem::btnPressed(Button* button) {
    if (button == agreeBtn_) {
        agree();
    } else if (button == disBtn_) {
        disAgree();
    } else if (button == replyBtn_) {
        replyComment();
    } else if (button == titleBtn_) {
        sourceDetail();
    } else if (button == userBtn_) {
        CustomCell::btnPressed(button);
        RootScreenServices::shared().showUserInfo(userBtn_->titleLabel()->tag());
    }
}

}  // namespace tovera
