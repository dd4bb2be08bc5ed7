// The posting form of the whole app. Its `type` decides the labels, the
// fields shown, how many photos it takes and how long a text may be:
// 1 live-room message, 2 live-room discussion, 3 answer to a question,
// 4 repost, 5 new live room (subject, city, one photo required), 6 new
// topic, 7 new question (the default), 8 reply to a topic. The opener's
// parameters (`type`, `id`, `ptype`, `api`) go out with the subject, the
// body, the city and the photos ("pic1" the newest). A new question or live
// room replaces the form by its own screen; any other post marks the screen
// beneath for refresh and closes the form. A refused post keeps the form as
// it was.
#pragma once

#include <QPointer>

#include <memory>

#include "framework/JVPickView.h"
#include "framework/QXViewController.h"
#include "framework/QXViewDelegate.h"
#include "platform/ui/overlays/ImagePicker.h"
#include "platform/ui/views/TextField.h"
#include "platform/ui/views/TextView.h"

namespace tovera::platform::ui {
class Button;
class Label;
class ScrollView;
}  // namespace tovera::platform::ui

namespace tovera {

class OperationQueue;
class PhotoPreview;

class AskForm : public QXViewController,
                public QXViewDelegate,
                public platform::ui::TextFieldDelegate,
                public platform::ui::TextViewDelegate,
                public platform::ui::ImagePickerDelegate {
    Q_OBJECT
public:
    /// Which rows a type shows.
    enum class Layout { All, Content, Subject, Live };
    /// What a form type looks like and takes.
    struct Kind {
        const char* subject;
        const char* content;
        const char* photo;
        Layout layout;
        int maxPhotos;
        /// The longest subject or body in characters; 0 for no limit.
        int lengthLimit;
    };
    /// The kind of form `type` (an unknown type is a question).
    static Kind kind(int type);

    /// The side of the square a picked photo is scaled and cropped to.
    static constexpr int kPhotoSide = 320;

    explicit AskForm(QObject* parent = nullptr);
    ~AskForm() override;

    /// The form's type (param `type`, 7 when not set).
    int type();

    /// The labels of the current type ("subject", "content", "photo") and
    /// the photo maximum of the preview.
    Dict lableName();
    /// Puts the labels up, shows the chosen city and lays out the rows of
    /// the type.
    void bindLblName(const Dict& labels);
    void showAll();
    void showContent();
    void showSubject();
    /// Subject, city and photos; asks for the city list.
    void showLive();

    /// The sheet "选择上传方式": the camera or the picture library.
    void getPhoto();
    /// Opens the picker: 0 the camera, 1 the library. There is no camera on
    /// this machine: the picker opens the picture file dialog for both.
    void setPhoto(int source);
    /// Scales and crops `image` to 320 by 320 off the main thread, then adds
    /// it to the preview (newest first).
    void useImage(const QImage& image);
    /// Opens the city picker on the chosen city.
    void chooseCity();
    /// Checks the fields and posts.
    void postContent();

    void didLoad(const Value& reply, QXRequest* request) override;
    void requestDidFailWithError(QXRequest* request, const Error& error) override;

    /// The city picker's buttons.
    void qxView(platform::ui::View* view, platform::ui::Button* button) override;
    bool shouldChangeCharactersInRange(platform::ui::TextField*, int location, int length,
                                       const QString& replacement) override;
    bool shouldChangeTextInRange(platform::ui::TextView*, int location, int length,
                                 const QString& replacement) override;
    void imagePickerDidFinishPicking(platform::ui::ImagePicker*, const QImage& image) override;
    void imagePickerDidCancel(platform::ui::ImagePicker*) override;

    platform::ui::ScrollView* scrollView() const { return scrollView_; }
    platform::ui::Label* titleLbl() const { return titleLbl_; }
    platform::ui::TextField* titleField() const { return titleField_; }
    platform::ui::Label* contentLbl() const { return contentLbl_; }
    platform::ui::TextView* contentText() const { return contentText_; }
    platform::ui::Label* picLbl() const { return picLbl_; }
    platform::ui::Button* photoBtn() const { return photoBtn_; }
    PhotoPreview* preView() const { return preView_; }
    platform::ui::Label* cityLbl() const { return cityLbl_; }
    platform::ui::Button* cityBtn() const { return cityBtn_; }
    const Array& pkArray() const { return pkArray_; }
    /// The city picker panel, made on first use.
    JVPickView* pkView();
    /// Photos picked and still being scaled.
    int photosScaling() const { return scaling_; }

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewDidDisappear(bool animated) override;

private:
    /// Stacks the rows shown top-down, 5 points apart.
    void stackRows(bool subject, bool city, bool body);
    /// Whether the text `edited`, in which `replacement` took the place of
    /// `length` characters, is one the type accepts.
    bool acceptsEdit(const QString& edited, int length, const QString& replacement);
    /// The post's parameters: the form's own, the fields and the photos.
    Dict postParams();
    /// A new question or live room: its screen takes the form's place.
    void openPosted(const std::string& id);
    void hidePicker();

    platform::ui::ScrollView* scrollView_ = nullptr;
    platform::ui::Label* titleLbl_ = nullptr;
    platform::ui::TextField* titleField_ = nullptr;
    platform::ui::Label* contentLbl_ = nullptr;
    platform::ui::TextView* contentText_ = nullptr;
    platform::ui::Label* picLbl_ = nullptr;
    platform::ui::Button* photoBtn_ = nullptr;
    PhotoPreview* preView_ = nullptr;
    platform::ui::Label* cityLbl_ = nullptr;
    platform::ui::Button* cityBtn_ = nullptr;
    QPointer<JVPickView> pkView_;
    QPointer<platform::ui::ImagePicker> picker_;
    Array pkArray_;
    std::unique_ptr<OperationQueue> scaler_;
    int scaling_ = 0;
};

}  // namespace tovera
