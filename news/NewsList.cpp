#include "news/NewsList.h"

namespace tovera {

NewsList::NewsList(QObject* parent) : ArticleList(parent) {}

void NewsList::loadView() {
    setView(makeTable(QRectF(0, 0, 320, 416)));
}

void NewsList::viewWillAppear(bool) {
    reloadIfEmpty();
}

}  // namespace tovera
