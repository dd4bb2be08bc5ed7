// The paged article list of one news category (param `type` = the category
// id), shown embedded in News and on its own (MoreNewCat, the feed).
#pragma once

#include "news/ArticleList.h"

namespace tovera {

class NewsList : public ArticleList {
    Q_OBJECT
public:
    explicit NewsList(QObject* parent = nullptr);

protected:
    void loadView() override;
    /// Loads the first page when no row is held.
    void viewWillAppear(bool animated) override;
};

}  // namespace tovera
