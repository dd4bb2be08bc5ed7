#include "service/Handlers.h"

namespace tovera::service {

void addOperations(Router& router) {
    addSystemOperations(router);
    addCommentOperations(router);
    addNewsOperations(router);
    addAccountOperations(router);
    addFeedOperations(router);
    addFriendOperations(router);
    addPostOperations(router);
    addHouseOperations(router);
    addListingOperations(router);
    addAskOperations(router);
    addCommunityOperations(router);
}

void addPages(Router& router) {
    addPicturePages(router);
    addToolPages(router);
    addOutsidePages(router);
    addSignupPages(router);
}

}  // namespace tovera::service
