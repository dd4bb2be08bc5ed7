// The 44-point bar above the screens: the top screen's title in the middle,
// its left button (or a back button to the screen below), its right button,
// on a background image (or a tinted gradient).
#pragma once

#include "platform/ui/navigation/NavigationItem.h"
#include "platform/ui/views/Image.h"
#include "platform/ui/views/View.h"

#include <QPointer>

namespace tovera::platform::ui {

class Button;
class Label;

class NavigationBar : public View {
    Q_OBJECT
public:
    explicit NavigationBar(QWidget* parent = nullptr);

    Image backgroundImage() const { return background_; }
    void setBackgroundImage(const Image& image);
    QColor tintColor() const { return tint_; }
    void setTintColor(const QColor& color);

    /// Shows `top` with a back button named after `previous` (null: none).
    void setItems(NavigationItem* top, NavigationItem* previous);
    NavigationItem* topItem() const { return top_; }

    /// The views now shown, for tests and layout: null when absent.
    QWidget* leftView() const { return left_; }
    QWidget* rightView() const { return right_; }
    Label* titleLabel() const { return title_; }
    /// True when the left view is the automatic back button.
    bool showsBackButton() const { return showsBack_; }

signals:
    /// The automatic back button was tapped.
    void backRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void layoutSubviews() override;

private:
    void rebuild();
    QWidget* viewForItem(BarButtonItem* item);
    Button* makeBackButton(const QString& title);

    Image background_;
    QColor tint_{0x4F, 0x6E, 0x97};
    QPointer<NavigationItem> top_;
    QPointer<NavigationItem> previous_;
    Label* title_ = nullptr;
    QPointer<QWidget> left_;
    QPointer<QWidget> right_;
    QPointer<QWidget> titleView_;
    bool showsBack_ = false;
};

}  // namespace tovera::platform::ui
