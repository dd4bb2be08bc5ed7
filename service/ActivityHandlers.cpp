// Activities: activity/list.aspx and activity/detail.aspx. Sign-up happens
// on the web page of SignupPages.cpp; "isend" follows the deadline.
#include "service/CommunityHandlers.h"
#include "service/Portal.h"

namespace tovera::service {

namespace {

// Tab 1: the city's activities still open, nearest deadline first; tab 2:
// ended ones, latest deadline first. Never the user-post shape ("user").
Dict activityList(Call& call) {
    const ServiceRequest& r = call.request;
    bool ended = r.type == "2";
    std::string where = ended ? "WHERE cityid = ?1 AND deadline <= unixepoch()"
                              : "WHERE cityid = ?1 AND deadline > unixepoch()";
    std::string order = ended ? " ORDER BY deadline DESC, id DESC" : " ORDER BY deadline, id";
    return pagedList(call,
                     "SELECT id, name, display_date(deadline) AS endtime, pic AS pic_sl "
                     "FROM activity " +
                         where + order + " LIMIT ?2 OFFSET ?3",
                     "SELECT count(*) FROM activity " + where, {"pic_sl"}, r.cityId);
}

Dict activityDetail(Call& call) {
    std::optional<Dict> activity =
        queryRow(call.db,
                 "SELECT a.id, a.name, ifnull(c.name, '') AS city, "
                 "display_date(a.deadline) AS date, a.joins, a.tel, a.text, "
                 "CASE WHEN a.deadline > unixepoch() THEN '0' ELSE '1' END AS isend "
                 "FROM activity a LEFT JOIN city c ON c.id = a.cityid WHERE a.id = ?1",
                 call.request.integer("id"));
    if (!activity) return refusal("该活动不存在");
    activity->set("text", call.linkPicturesInHtml((*activity)["text"].toText()));
    return std::move(*activity);
}

}  // namespace

void addActivityOperations(Router& router) {
    router.addOperation("activity/list.aspx", activityList);
    router.addOperation("activity/detail.aspx", activityDetail);
}

}  // namespace tovera::service
