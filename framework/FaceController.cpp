#include "framework/FaceController.h"

#include "framework/NSUtil.h"
#include "framework/RootScreenServices.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/views/Button.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::View;

namespace {
constexpr double kFaceButtonSide = 60;
constexpr int kColumns = 5;
}  // namespace

FaceController::FaceController(QObject* parent) : ViewController(parent) {
    setTitle(QStringLiteral("表情"));
    RootScreenServices::shared().setBackItem(navigationItem());
}

void FaceController::loadView() {
    gridView_ = new GridView(QRectF(0, 0, 320, 416));
    gridView_->setBackgroundColor(NSUtil::listview_item());
    setView(gridView_);
}

void FaceController::viewDidLoad() {
    gridView_->setColumNum(kColumns);
    gridView_->setDataSource(this);
    reloadData();
}

void FaceController::reloadData() {
    dataArray_.clear();
    for (int i = 1; i <= kFaces; ++i)
        dataArray_ << QStringLiteral("face%1.png").arg(i);
    gridView_->reloadData();
}

int FaceController::numberOfItems(GridView*) {
    return int(dataArray_.size());
}

View* FaceController::viewForItemAtPosition(GridView* gridView, int position) {
    auto* button = qobject_cast<Button*>(gridView->getItemAtPosition(position));
    if (!button) button = new Button(QRectF(0, 0, kFaceButtonSide, kFaceButtonSide));
    button->setImage(platform::ui::Image::named(dataArray_.value(position)));
    return button;
}

void FaceController::didSelectItemAtPosition(GridView*, int position) {
    if (position < 0 || position >= dataArray_.size()) return;
    platform::ui::NavigationController* nav = navigationController();
    // Only the picker itself goes: once it is leaving, a further report of
    // the same touch must not take the writing screen with it.
    if (!nav || nav->topViewController() != this) return;
    RootScreenServices::shared().saveParam(dataArray_[position].toStdString(), "face");
    nav->popViewControllerAnimated(true);
}

std::optional<QString> FaceController::faceCode(const QString& face) {
    if (face.size() <= 5) return std::nullopt;
    return QStringLiteral("[F%1]").arg(face.mid(1, face.size() - 5));
}

}  // namespace tovera
