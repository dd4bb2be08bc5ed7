// A row of radio buttons, side by side: pressing one selects it and only it.
// value() is the selected button's title.
#pragma once

#include <QStringList>

#include "platform/ui/views/View.h"

namespace tovera::platform::ui {
class Button;
}  // namespace tovera::platform::ui

namespace tovera {

class QXRadio : public platform::ui::View {
    Q_OBJECT
public:
    explicit QXRadio(const QRectF& frame = {}, QWidget* parent = nullptr);

    /// Replaces the buttons: one per label, sharing the width (1 point in
    /// from every edge), none selected.
    void setLableArray(const QStringList& labels);
    /// Presses the button at `index` (nothing for an index out of range).
    void setSelected(int index);
    /// The selected button's index, or -1.
    int selectedIndex() const;
    /// The selected button's title, or an empty text when none is selected.
    QString value() const;

    const QList<platform::ui::Button*>& buttons() const { return buttons_; }

private:
    void btnPressed(platform::ui::Button* button);

    QList<platform::ui::Button*> buttons_;
};

}  // namespace tovera
