#include "news/NewsList.h"

namespace tovera {

NewsList::NewsList(DSTovera& session, QObject* parent) : ArticleList(session, parent) {}

void NewsList::loadView() {
    setView(makeTable(QRectF(0, 0, 320, 416)));
}

void NewsList::viewWillAppear(bool) {
    reloadIfEmpty();
}

}  // namespace tovera
