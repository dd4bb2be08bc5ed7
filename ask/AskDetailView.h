// The scrolling content of a question, rebuilt from the question record:
// the project link, the title, the asker and the date, the text, the first
// picture (all of them in the viewer), the customer-service answer, the best
// answer, and the other answers below them.
#pragma once

#include <QPointer>

#include <string>
#include <vector>

#include "ask/AskReply.h"
#include "core/Value.h"
#include "framework/NetButton.h"
#include "framework/QXViewDelegate.h"
#include "platform/ui/lists/ScrollView.h"

namespace tovera::platform::ui {
class Button;
}  // namespace tovera::platform::ui

namespace tovera {

class AskDetailView : public platform::ui::ScrollView, public QXViewDelegate {
    Q_OBJECT
public:
    static constexpr int kHouseTag = 1;
    static constexpr int kUserTag = 2;

    explicit AskDetailView(const QRectF& frame, QWidget* parent = nullptr);

    /// Builds the rows of the question record.
    void setInfo(const Dict& info);
    /// Reads the answers again.
    void updateReply();
    /// The question's pictures in the viewer.
    void showBig();
    /// The project (tag 1) or a user's page (tag 2; the id is the title
    /// label's tag).
    void btnPressed(platform::ui::Button* button);
    /// The answer list changed its height.
    void qxView(platform::ui::View* view, platform::ui::Button* button) override;

    platform::ui::View* mainView() const { return mainView_; }
    const std::vector<std::string>& imgArray() const { return imgArray_; }
    AskReply* askReply() const { return askReply_; }
    NetButton* pictureButton() const { return picture_; }

private:
    platform::ui::Button* linkButton(const QRectF& frame, const QString& title, int tag, int id);
    /// A header strip, a text and, when `name` is set, the author and date.
    double answerSection(double y, const QString& header, const QString& text, const QString& name,
                         int tag, int id, const QString& date);
    double textRow(double y, const QString& text, Qt::Alignment alignment);

    QPointer<platform::ui::View> mainView_;
    QPointer<AskReply> askReply_;
    QPointer<NetButton> picture_;
    std::vector<std::string> imgArray_;
};

}  // namespace tovera
