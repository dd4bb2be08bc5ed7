// The community half of the service: topics, activities, live rooms, private
// messages, friends and profile editing. Each module registers its
// operations from its own file; the helpers below are what they share.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "service/Router.h"

namespace tovera::service {

void addTopicOperations(Router& router);          // topic/*, user/foward.aspx
void addActivityOperations(Router& router);       // activity/list, activity/detail
void addLiveOperations(Router& router);           // live/*
void addMessageOperations(Router& router);        // sendmsg, sendmsg_list, deletemsg
void addFriendRequestOperations(Router& router);  // apply, pass
void addGroupOperations(Router& router);          // friendgroup, updategroup, remark, shieldmsg
void addBlacklistOperations(Router& router);      // setmsg, black
void addFriendSearchOperations(Router& router);   // friend_search
void addProfileOperations(Router& router);        // setinfo, headphoto

/// The reply of a successful post: {"code":0,"msg":"发布成功","id":id}.
Dict postedReply(std::int64_t id);

/// Stores the picture parts "pic1" … "pic<max>" of the request (those that
/// arrived) and returns their names joined by "|", "pic1" first.
std::string storePostedPictures(Call& call, int max);

/// Whether the request's "text" holds more than blanks.
bool hasText(const ServiceRequest& request);

/// A page of `select` (which must end with "LIMIT ?n OFFSET ?n+1" taking
/// the request's size and offset after `args`) and the count of `countSql`,
/// as {"result", "total"}; picture names under `pictureKeys` become URLs.
template <typename... Args>
Dict pagedList(Call& call, std::string_view select, std::string_view countSql,
               std::initializer_list<std::string_view> pictureKeys, const Args&... args) {
    Array rows = queryRows(call.db, select, args..., call.request.size, call.request.offset());
    call.linkPictures(rows, pictureKeys);
    return listReply(std::move(rows), queryInteger(call.db, countSql, args...));
}

}  // namespace tovera::service
