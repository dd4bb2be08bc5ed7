// The fixture of the question screens' tests: the news screens' fixture
// against the demo service, with the steps a user takes on the questions
// (opening a form of a type, picking a photo through the photo sheet,
// typing into the form, posting) and a way to post straight through the
// session to set up a question's answers.
#pragma once

#include <QImage>

#include <string>

#include "ask/AskForm.h"
#include "core/Value.h"
#include "tests/news/NewsUiTest.h"

namespace tovera::testing {

class AskUiTest : public NewsUiTest {
protected:
    void SetUp() override;

    /// The posting form of `type`, opened as the navigator opens it.
    AskForm* openForm(const std::string& type, const std::string& rid = {});
    /// Taps the photo button, chooses the sheet's button `source` (0 camera,
    /// 1 library) and has the picker hand back `image` (a null image: the
    /// user cancels). Waits until the form has scaled what it got.
    void pickPhoto(AskForm* form, const QImage& image, int source = 1);
    /// A plain picture of `width` by `height` pixels.
    static QImage picture(int width, int height, QColor color = Qt::darkGreen);
    /// Types `text` into the subject and/or body (empty: left alone).
    void fill(AskForm* form, const QString& subject, const QString& body);
    /// Taps "提交" and waits until the overlay is gone.
    void submit(AskForm* form);
    /// Posts through the session as the signed-in user and waits for the
    /// reply.
    Value post(Dict params);
    /// The requests "user/messagepost.aspx" received so far.
    std::size_t postsReceived();
};

}  // namespace tovera::testing
