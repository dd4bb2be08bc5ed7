// The row of one purchase record of the neighbourhood page: the purchase
// state, the city, the project and the flat, with buttons to edit the record
// (the profile editor), delete it (after a confirmation) and look for
// neighbours who bought in the same project. The row sends the delete
// itself and tells its list, by record id, once the service has removed it.
#pragma once

#include "core/QXRequestDelegate.h"
#include "framework/CustomCell.h"

namespace tovera::platform::ui {
class Button;
class Label;
}  // namespace tovera::platform::ui

namespace tovera {

class BuyStateItem : public CustomCell, public QXRequestDelegate {
    Q_OBJECT
public:
    static constexpr double kHeight = 122;
    /// The button tags.
    enum Tag { kEdit = 1, kDelete = 2, kNeighbours = 3 };

    explicit BuyStateItem(QWidget* parent = nullptr);

    /// One record of the profile reply's "buyinfo".
    void setInfo(const Dict& info) override;
    /// A row button: edit, delete (asks first) or neighbours; the tap is
    /// also forwarded to the list.
    void btnPressed(platform::ui::Button* button) override;

    /// Sends the delete of the record shown.
    void deleteRecord();
    /// The delete's answer: on "code" 0 the list drops the record; a
    /// refusal keeps it and shows why.
    void requestDidLoad(QXRequest* request, const Value& reply) override;
    void requestDidFailWithError(QXRequest* request, const Error& error) override;

    const Dict& info() const { return info_; }
    platform::ui::Label* buyLbl() const { return buyLbl_; }
    platform::ui::Label* locationLbl() const { return locationLbl_; }
    platform::ui::Label* buildLbl() const { return buildLbl_; }
    platform::ui::Label* unitLbl() const { return unitLbl_; }
    platform::ui::Button* button(int tag) const;

private:
    void editRecord();
    void searchNeighbours();

    Dict info_;
    platform::ui::Label* buyLbl_ = nullptr;
    platform::ui::Label* locationLbl_ = nullptr;
    platform::ui::Label* buildLbl_ = nullptr;
    platform::ui::Label* unitLbl_ = nullptr;
    QList<platform::ui::Button*> buttons_;
};

}  // namespace tovera
