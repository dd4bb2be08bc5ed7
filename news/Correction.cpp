#include "news/Correction.h"

#include "comments/PostReply.h"
#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "platform/ui/views/TextView.h"

namespace tovera {

using platform::ui::BarButtonItem;

Correction::Correction(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("纠错"));
    param().setType("9");
    navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("提交"), BarButtonItem::Style::Bordered, [this] { postCorrection(); }));
}

void Correction::loadView() {
    auto* root = new platform::ui::View(QRectF(0, 0, 320, 416));
    root->setBackgroundColor(NSUtil::listview_item());
    textView_ = new platform::ui::TextView(QRectF(10, 10, 300, 180));
    textView_->setFont(NSUtil::normalFont());
    NavigationStyle::frameTextView(textView_);
    textView_->setSubmitOnReturn([this] { postCorrection(); });
    root->addSubview(textView_);
    setView(root);
}

void Correction::viewDidAppear(bool) {
    textView_->becomeFirstResponder();
}

void Correction::postCorrection() {
    if (textView_->text().trimmed().isEmpty()) {  // blanks alone say nothing
        NSUtil::makeText("内容不能为空").show();
        return;
    }
    PostReply::send(*this, textView_->text());
}

void Correction::didLoad(const Value& reply, QXRequest*) {
    PostReply::finish(*this, reply, false);
}

}  // namespace tovera
