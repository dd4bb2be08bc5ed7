// Registration of the service's operations and pages, one function per
// module (each in its own file).
#pragma once

#include "service/Router.h"

namespace tovera::service {

/// Every operation and every page of the service.
void addOperations(Router& router);
void addPages(Router& router);

void addSystemOperations(Router& router);   // cities, location, home, update
void addCommentOperations(Router& router);  // comment and answer lists, votes
void addNewsOperations(Router& router);     // categories, articles
void addAccountOperations(Router& router);  // login, registration, profile, password
void addFeedOperations(Router& router);     // unread counts, feed, follows, subscriptions
void addFriendOperations(Router& router);   // friend groups, recommendations
void addPostOperations(Router& router);     // user/messagepost.aspx
void addHouseOperations(Router& router);    // new-build search, project pages, sale news
void addListingOperations(Router& router);  // second-hand and rental listings
void addAskOperations(Router& router);      // questions, answers, best answer, close
// topics, activities, live rooms, messages, friends, profile editing
void addCommunityOperations(Router& router);

void addPicturePages(Router& router);  // /pic/…, /upload/…
void addToolPages(Router& router);     // tools/tools.aspx and its calculators
void addOutsidePages(Router& router);  // splash, /maps/geo, /ics/report.php
void addSignupPages(Router& router);   // activity/applyactivity.aspx

}  // namespace tovera::service
