// The editor of one profile section ("t"/"type"): "1" the personal data,
// "2" the home-buying intentions, "3" a bought home. Choices are made with
// the list picker (some lists come from the service), the date picker, the
// gender radio and the preferred-city list; "确定" checks the fields and
// saves them, and hands the saved record back to the profile beneath.
//
// A choice button carries what it stands for in its tag: a list row, a
// class row + 1, or the id of a place the service listed.
#pragma once

#include <map>

#include "framework/QXViewController.h"
#include "framework/QXViewDelegate.h"
#include "platform/ui/views/TextField.h"

namespace tovera::platform::ui {
class Button;
class ScrollView;
}  // namespace tovera::platform::ui

namespace tovera {

class JVDatePicker;
class JVPickView;
class QXRadio;

class ProfileEdit : public QXViewController,
                    public QXViewDelegate,
                    public platform::ui::TextFieldDelegate {
    Q_OBJECT
public:
    /// The pickers, by the tag that tells which button they set.
    enum Picker {
        kEducation = 1,
        kBuyState = 2,
        kClassic = 3,
        kHouse = 4,
        kLocation = 5,
        kArea = 6,
        kRooms = 7,
        kHalls = 8,
        kBathrooms = 9,
        kPhase = 10,
        kBuilding = 11,
        kUnit = 12,
        kPrivacy = 13,
    };

    explicit ProfileEdit(QObject* parent = nullptr);

    /// The record to edit (without one the editor asks for the user's own).
    void setRecord(const Dict& record) { record_ = record; }
    const Dict& record() const { return record_; }
    /// The home-buying section opened to change the preferred city only:
    /// saving asks for nothing but the city, the other fields go unchanged.
    void setCityOnly(bool cityOnly) { cityOnly_ = cityOnly; }

    void didLoad(const Value& reply, QXRequest* request) override;
    /// "确定": checks, then saves.
    void doEdit();
    /// Opens the picker of `tag` for its button.
    void openPicker(int tag);
    /// The birth-date button: the date picker at its date, or today.
    void openDatePicker();
    /// The preferred-city button: the city list, with the cities chosen.
    void openCityList();

    /// A picker's "取消" or "确定".
    void qxView(platform::ui::View* view, platform::ui::Button* button) override;
    /// Length limits, for typed and pasted text alike.
    bool shouldChangeCharactersInRange(platform::ui::TextField* field, int location, int length,
                                       const QString& replacement) override;

    /// The text field of the record key `key` ("realname", "tel", ...), or null.
    platform::ui::TextField* field(std::string_view key) const;
    /// The choice button of picker `tag`, or null.
    platform::ui::Button* choice(int tag) const;
    platform::ui::Button* dateButton() const { return dateBtn_; }
    platform::ui::Button* cityButton() const { return cityBtn_; }
    QXRadio* genderRadio() const { return gander_; }
    JVPickView* pickView() const { return pkView_; }
    JVDatePicker* datePicker() const { return dateView_; }
    /// The longest text `key`'s field takes (0: no limit).
    static int limitOf(std::string_view key);

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

private:
    int section();
    void edtBaseInfo();
    void edtPhyInfo();
    void edtBuyInfo();
    void bindView();
    /// A caption at the left of the row being laid out.
    void addCaption(const char* caption);
    platform::ui::TextField* addField(const char* caption, const char* key);
    platform::ui::Button* addChoice(const char* caption, int tag);
    void requestOptions(int tag);
    void showOptions(int tag, const QStringList& titles);
    void chosen(int tag, int row);
    /// Refuses with `text`, scrolling to `view`.
    void refuse(const char* text, QWidget* view);
    Dict sentValues();
    void saved(const Value& reply, const Dict& sent);

    Dict record_;
    platform::ui::ScrollView* scrollView_ = nullptr;
    /// The section page being laid out, and where its next row goes.
    platform::ui::View* page_ = nullptr;
    double top_ = 10;
    std::vector<std::pair<std::string, platform::ui::TextField*>> fields_;
    std::map<int, platform::ui::Button*> choices_;
    platform::ui::Button* dateBtn_ = nullptr;
    bool cityOnly_ = false;
    platform::ui::Button* cityBtn_ = nullptr;
    QXRadio* gander_ = nullptr;
    JVPickView* pkView_ = nullptr;
    JVDatePicker* dateView_ = nullptr;
    /// The rows of the service-backed picker shown.
    Array pkArray_;
};

}  // namespace tovera
