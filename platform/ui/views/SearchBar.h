// A search bar: a rounded field with a placeholder, a search (return) key,
// an optional cancel button and optional scope buttons below it.
#pragma once

#include "platform/ui/runtime/WeakDelegate.h"
#include "platform/ui/views/TextField.h"
#include "platform/ui/views/View.h"

#include <QStringList>

namespace tovera::platform::ui {

class Button;
class SearchBar;
class SegmentedControl;

class SearchBarDelegate {
public:
    virtual ~SearchBarDelegate() = default;
    virtual bool searchBarShouldBeginEditing(SearchBar*) { return true; }
    virtual void searchBarTextDidBeginEditing(SearchBar*) {}
    virtual void searchBarTextDidEndEditing(SearchBar*) {}
    virtual void searchBarTextDidChange(SearchBar*, const QString& /*text*/) {}
    virtual void searchBarSearchButtonClicked(SearchBar*) {}
    virtual void searchBarCancelButtonClicked(SearchBar*) {}
    virtual void selectedScopeButtonIndexDidChange(SearchBar*, int /*index*/) {}
};

class SearchBar : public View, private TextFieldDelegate {
    Q_OBJECT
public:
    explicit SearchBar(QWidget* parent = nullptr);
    explicit SearchBar(const QRectF& frame, QWidget* parent = nullptr);

    SearchBarDelegate* delegate() const { return delegate_.get(); }
    void setDelegate(SearchBarDelegate* delegate) { delegate_ = delegate; }

    QString text() const;
    void setText(const QString& text);
    QString placeholder() const;
    void setPlaceholder(const QString& placeholder);

    bool showsCancelButton() const { return showsCancel_; }
    void setShowsCancelButton(bool shows);
    QStringList scopeButtonTitles() const { return scopeTitles_; }
    void setScopeButtonTitles(const QStringList& titles);
    bool showsScopeBar() const { return showsScope_; }
    void setShowsScopeBar(bool shows);
    int selectedScopeButtonIndex() const;
    /// Selects a scope (telling the delegate, as a tap would).
    void setSelectedScopeButtonIndex(int index);
    void setTintColor(const QColor& color);

    bool becomeFirstResponder();
    void resignFirstResponder();
    bool isFirstResponder() const;

    TextField* textField() const { return field_; }
    Button* cancelButton() const { return cancel_; }

    /// 44 points, plus 44 for the scope bar when shown.
    QSizeF sizeThatFits(const QSizeF& size) const override;
    QString visibleText() const override { return text(); }

protected:
    void layoutSubviews() override;
    void paintEvent(QPaintEvent* event) override;

private:
    void updateCancel();
    bool textFieldShouldBeginEditing(TextField*) override;
    void textFieldDidBeginEditing(TextField*) override;
    void textFieldDidEndEditing(TextField*) override;
    bool textFieldShouldReturn(TextField*) override;

    TextField* field_ = nullptr;
    Button* cancel_ = nullptr;
    SegmentedControl* scopes_ = nullptr;
    QStringList scopeTitles_;
    bool showsCancel_ = false;
    bool showsScope_ = false;
    QColor tint_{0xA6, 0xB4, 0xC4};
    WeakDelegate<SearchBarDelegate> delegate_;
};

}  // namespace tovera::platform::ui
