// "筛选条件": the filter form of the new-build list ("api" "tovera") and of
// the second-hand and rental lists ("oldhouse", "rent"). Its fields come
// from the configuration file; each opens the option picker with a
// configuration list or with the service's cities, districts or business
// areas. "筛选" hands the criteria to the list beneath and closes the form.
#pragma once

#include <QList>

#include "framework/QXViewController.h"
#include "framework/QXViewDelegate.h"
#include "platform/ui/views/TextField.h"

namespace tovera::platform::ui {
class Button;
class ScrollView;
}  // namespace tovera::platform::ui

namespace tovera {

class JVPickView;
class LabelButton;

class HouseSearch : public QXViewController,
                    public QXViewDelegate,
                    public platform::ui::TextFieldDelegate {
    Q_OBJECT
public:
    explicit HouseSearch(QObject* parent = nullptr);

    /// Whether the form is the new-build one ("api" "tovera").
    bool newBuild();

    /// A field's button: opens the picker with that field's options (or
    /// closes them when they are open).
    void btnPressed(LabelButton* row);
    /// The criteria go to the list beneath, then the form closes.
    void doSearch();

    /// Replies with a field's service options; a reply for a field the
    /// picker no longer waits for is dropped.
    void didLoad(const Value& reply, QXRequest* request) override;
    /// A failed option request leaves the form as it is.
    void requestDidFailWithError(QXRequest* request, const Error& error) override;

    /// The picker's "取消"/"确定".
    void qxView(platform::ui::View* view, platform::ui::Button* button) override;

    // TextFieldDelegate: Return ends the keyword.
    bool textFieldShouldReturn(platform::ui::TextField* field) override;

    platform::ui::TextField* keyWord() const { return keyWord_; }
    platform::ui::ScrollView* scrollView() const { return scrollView_; }
    /// The field rows in order (tags 1 to 6).
    const QList<LabelButton*>& rows() const { return rows_; }
    /// The field of number `tag`, or null.
    LabelButton* row(int tag) const;
    /// "推荐" and "急售"/"急租" (second-hand and rental form only).
    const QList<platform::ui::Button*>& checkBoxes() const { return checks_; }
    /// The picker panel, once a field was opened.
    JVPickView* pkView() const { return pkView_; }

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    enum class Service { None, Cities, Districts, BusinessAreas };

    void buildForm();
    void addCheckBoxes(double top);
    JVPickView* picker();
    /// Where field `tag`'s options come from: a configuration key, or the service.
    Service serviceOf(int tag);
    std::string configOf(int tag);
    /// The field a service reply belongs to, by what its request asked.
    int fieldOf(const Dict& sent);
    void requestOptions(Service service, LabelButton* row);
    void showPicker();
    void hidePicker();
    void chosen(LabelButton* row, int index);

    platform::ui::TextField* keyWord_ = nullptr;
    platform::ui::ScrollView* scrollView_ = nullptr;
    QList<LabelButton*> rows_;
    QList<platform::ui::Button*> checks_;
    Array pkArray_;
    JVPickView* pkView_ = nullptr;
};

}  // namespace tovera
