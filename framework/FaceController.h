// The emoticon picker "表情": a grid of the ten emoticons, five to a row.
// Choosing one leaves its asset name in the root screen's scratch
// parameters under "face" and goes back to the writing screen, which then
// puts the code (faceCode) into its text.
#pragma once

#include <QStringList>

#include <optional>

#include "framework/GridView.h"
#include "platform/ui/navigation/ViewController.h"

namespace tovera {

class FaceController : public platform::ui::ViewController, public GridViewDataSource {
    Q_OBJECT
public:
    static constexpr int kFaces = 10;

    explicit FaceController(QObject* parent = nullptr);

    /// The ten asset names "face1.png" … "face10.png", in grid order.
    void reloadData();

    int numberOfItems(GridView* gridView) override;
    platform::ui::View* viewForItemAtPosition(GridView* gridView, int position) override;
    void didSelectItemAtPosition(GridView* gridView, int position) override;

    GridView* gridView() const { return gridView_; }
    const QStringList& dataArray() const { return dataArray_; }

    /// The code the writing screen puts into its text when the picker chose
    /// `face` (an asset name longer than 5 characters): "[F" + the name
    /// without its first character and its ".png" + "]", so "face3.png"
    /// gives "[Face3]". Nothing for a shorter name.
    static std::optional<QString> faceCode(const QString& face);

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    GridView* gridView_ = nullptr;
    QStringList dataArray_;
};

}  // namespace tovera
