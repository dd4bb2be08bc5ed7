// The signed-in user's own profile, one of three sections: "个人资料" (the
// personal data with the head photo, which a tap replaces), "置业信息" (the
// home-buying intentions) and "邻里会" (the homes bought). "修改" edits the
// section shown; in "邻里会" the button is "添加" and adds a bought home.
#pragma once

#include <QImage>

#include <memory>
#include <vector>

#include "framework/QXViewController.h"
#include "platform/ui/overlays/ActionSheet.h"
#include "platform/ui/overlays/ImagePicker.h"

namespace tovera::platform::ui {
class Label;
class ScrollView;
}  // namespace tovera::platform::ui

namespace tovera {

class NetButton;

class Profile : public QXViewController,
                public platform::ui::ActionSheetDelegate,
                public platform::ui::ImagePickerDelegate {
    Q_OBJECT
public:
    /// The longest side of an uploaded head photo, in points.
    static constexpr int kPhotoSide = 200;

    explicit Profile(QObject* parent = nullptr);
    ~Profile() override;

    void reloadData() override;
    void didLoad(const Value& reply, QXRequest* request) override;

    /// "修改" / "添加": the editor of the section shown.
    void editProfile();
    /// The head photo: "选择上传方式".
    void setPhoto();
    /// Takes the record the editor saved and shows it.
    void setRecord(const Dict& record);

    /// `image` scaled down, keeping its shape, to fit 200 by 200 points (an
    /// image that fits already is kept as it is).
    static QImage scaledForUpload(const QImage& image);
    /// "户型:%@室%@厅%@卫" of a "rooms,halls,bathrooms" text ("0,0,0" when it
    /// has fewer than three parts).
    static QString flatText(const std::string& flat);

    void actionSheetClickedButtonAtIndex(platform::ui::ActionSheet*, int index) override;
    void imagePickerDidFinishPicking(platform::ui::ImagePicker*, const QImage& image) override;

    const Dict& record() const { return record_; }
    /// The section shown: 1, 2 or 3.
    int section();
    /// The label of the record key `key` on the page shown, or null.
    platform::ui::Label* label(std::string_view key) const;
    NetButton* photoButton() const { return photo_; }
    platform::ui::View* houseListView() const { return houseList_; }

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

private:
    /// The view of the bought homes (the "邻里会" section), made once.
    platform::ui::View* createHouseListView(platform::ui::View* parent);
    /// Hands the record's bought homes to that view.
    void showHouseList(const Array& buyinfo);
    void fillPage();
    void upload(const QImage& image);

    Dict record_;
    platform::ui::ScrollView* page_ = nullptr;
    NetButton* photo_ = nullptr;
    std::vector<std::pair<std::string, platform::ui::Label*>> labels_;
    platform::ui::View* houseList_ = nullptr;
    std::unique_ptr<platform::ui::ImagePicker> picker_;
};

}  // namespace tovera
