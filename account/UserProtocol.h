// "用户服务协议": the user service agreement that registration asks the user
// to read, as static text on a white page that scrolls when it is longer
// than the screen.
#pragma once

#include "framework/QXViewController.h"

namespace tovera {

class UserProtocol : public QXViewController {
    Q_OBJECT
public:
    explicit UserProtocol(QObject* parent = nullptr);

    void loadView() override;

    /// The agreement's full text.
    static QString agreementText();
};

}  // namespace tovera
