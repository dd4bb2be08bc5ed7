// The offer to call a number, as every telephone button of the project, listing and activity
// screens makes it: "拨打:<number>?" in an action sheet that dials the
// number with the home screen's rule (spaces dropped, "转" a pause), or the
// toast "没有提供相关号码!" when there is no number to call.
#pragma once

#include <QString>

class QWidget;

namespace tovera {

/// Shows the call sheet for `number` over `window` (or the toast).
void offerCall(const QString& number, QWidget* window);

}  // namespace tovera
