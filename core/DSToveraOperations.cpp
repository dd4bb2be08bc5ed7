// The named operations of the service: each knows its path, its method and
// what it adds on its own.
#include "core/DSTovera.h"
#include "core/OfflineStore.h"

namespace tovera {

void DSTovera::applyPageSize(Dict& params, PageSize rule) {
    const bool unset = params.getIntValueForKey("size", 0) <= 0;
    switch (rule) {
        case PageSize::kNone:
            break;
        case PageSize::kAlways:
            params.set("size", pagesize);
            break;
        case PageSize::kIfUnset:
            if (unset) params.set("size", pagesize);
            break;
        case PageSize::kIfUnsetWithCount:
            if (unset) {
                params.set("size", pagesize);
                params.set("count", pagesize);
            }
            break;
        case PageSize::kCountOnly:
            params.set("count", pagesize);
            break;
    }
}

void DSTovera::get(std::string_view path, Dict& params, QXRequestDelegate* delegate,
                   PageSize rule) {
    applyPageSize(params, rule);
    requestWithMethodName(path, params, "GET", delegate);
}

void DSTovera::getIfNeeded(std::string_view path, Dict& params, QXRequestDelegate* delegate) {
    if (needRequest(path, params, "GET")) requestWithMethodName(path, params, "GET", delegate);
}

void DSTovera::getSystemCitylist(Dict& p, QXRequestDelegate* d) {
    get("system/citylist.aspx", p, d);
}
void DSTovera::systemCityinfo(Dict& p, QXRequestDelegate* d) {
    get("system/cityinfo.aspx", p, d);
}
void DSTovera::systemLocation(Dict& p, QXRequestDelegate* d) {
    get("system/location.aspx", p, d);
}
void DSTovera::systemHome(Dict& p, QXRequestDelegate* d) {
    get("system/home.aspx", p, d, PageSize::kIfUnsetWithCount);
}
void DSTovera::systemUpdate(Dict& p, QXRequestDelegate* d) {
    p.set("platform", "ios");
    requestWithUrl(std::nullopt, "system/update.aspx", p, "GET", d);
}
void DSTovera::getSystemCommentList(Dict& p, QXRequestDelegate* d) {
    get("system/comment_list.aspx", p, d, PageSize::kIfUnsetWithCount);
}
void DSTovera::getSystemReplyList(Dict& p, QXRequestDelegate* d) {
    get("system/reply_list.aspx", p, d);
}

void DSTovera::getNewsSort(Dict& p, QXRequestDelegate* d) {
    get("news/sort.aspx", p, d, PageSize::kAlways);
}
void DSTovera::getNewsSearch(Dict& p, QXRequestDelegate* d) {
    applyPageSize(p, PageSize::kAlways);
    getIfNeeded("news/search.aspx", p, d);
}
void DSTovera::getNewsDetail(Dict& p, QXRequestDelegate* d) {
    // An article read before answers at once from the local store.
    if (std::optional<Dict> kept = newsDetailCachesForId(p.getIntValueForKey("id", 0))) {
        if (const std::optional<KeepRule> rule = OfflineStore::ruleFor("news/detail.aspx", p, {}))
            OfflineStore::markOpened(rule->key);
        if (d) d->requestDidLoad(nullptr, Value(std::move(*kept)));
        return;
    }
    getIfNeeded("news/detail.aspx", p, d);
}

void DSTovera::getHouseSearch(Dict& p, QXRequestDelegate* d) {
    get("house/search.aspx", p, d, PageSize::kAlways);
}
void DSTovera::getHouseDetail(Dict& p, QXRequestDelegate* d) {
    getIfNeeded("house/detail.aspx", p, d);
}
void DSTovera::houseIntroduce(Dict& p, QXRequestDelegate* d) {
    get("house/introduce.aspx", p, d);
}
void DSTovera::houseSaleinfo(Dict& p, QXRequestDelegate* d) {
    get("house/saleinfo.aspx", p, d);
}
void DSTovera::houseSupport(Dict& p, QXRequestDelegate* d) {
    get("house/support.aspx", p, d);
}
void DSTovera::getHouseSellList(Dict& p, QXRequestDelegate* d) {
    get("house/sell_list.aspx", p, d, PageSize::kIfUnset);
}
void DSTovera::getHouseGallery(Dict& p, QXRequestDelegate* d) {
    get("house/gallery.aspx", p, d, PageSize::kIfUnset);
}

void DSTovera::getOldhouseSearch(Dict& p, QXRequestDelegate* d) {
    // Listings always come from the network.
    p.remove("more");
    p.set("force", "1");
    applyPageSize(p, PageSize::kAlways);
    const bool rent = p.getStringValueForKey("api", "oldhouse") == "rent";
    getIfNeeded(rent ? "rent/search.aspx" : "oldhouse/search.aspx", p, d);
}
void DSTovera::getOldhouseDetail(Dict& p, QXRequestDelegate* d) {
    const bool rent = p.getStringValueForKey("api", "oldhouse") == "rent";
    get(rent ? "rent/detail.aspx" : "oldhouse/detail.aspx", p, d);
}

void DSTovera::getAskList(Dict& p, QXRequestDelegate* d) {
    get("ask/list.aspx", p, d, PageSize::kAlways);
}
void DSTovera::getAskDetail(Dict& p, QXRequestDelegate* d) {
    get("ask/detail.aspx", p, d);
}
void DSTovera::getTopicList(Dict& p, QXRequestDelegate* d) {
    get("topic/list.aspx", p, d, PageSize::kAlways);
}
void DSTovera::getTopicDetail(Dict& p, QXRequestDelegate* d) {
    get("topic/detail.aspx", p, d, PageSize::kCountOnly);
}
void DSTovera::getActivityList(Dict& p, QXRequestDelegate* d) {
    get("activity/list.aspx", p, d, PageSize::kAlways);
}
void DSTovera::getActivityDetail(Dict& p, QXRequestDelegate* d) {
    get("activity/detail.aspx", p, d);
}
void DSTovera::activityApplyacivity(Dict& p, QXRequestDelegate* d) {
    get("activity/applyactivity.aspx", p, d);
}
void DSTovera::getLiveList(Dict& p, QXRequestDelegate* d) {
    get("live/list.aspx", p, d, PageSize::kAlways);
}
void DSTovera::getLiveDetail(Dict& p, QXRequestDelegate* d) {
    get("live/detail.aspx", p, d);
}
void DSTovera::getLiveDiscussList(Dict& p, QXRequestDelegate* d) {
    get("live/discuss_list.aspx", p, d, PageSize::kAlways);
}

void DSTovera::userLogin(Dict& p, QXRequestDelegate* d) {
    requestWithUrl(std::nullopt, "user/login.aspx", p, "POST", d);
}
void DSTovera::userRegister(Dict& p, QXRequestDelegate* d) {
    requestWithUrl(std::nullopt, "user/register.aspx", p, "POST", d);
}
void DSTovera::getUserInfo(Dict& p, QXRequestDelegate* d) {
    get("user/info.aspx", p, d);
}
void DSTovera::userSetpassword(Dict& p, QXRequestDelegate* d) {
    requestWithMethodName("user/setpassword.aspx", p, "POST", d);
}
void DSTovera::userSetinfo(Dict& p, QXRequestDelegate* d) {
    requestWithMethodName("user/setinfo.aspx", p, "POST", d);
}
void DSTovera::userHeadphoto(Dict& p, QXRequestDelegate* d) {
    postRequestWithFile("user/headphoto.aspx", p, d);
}
void DSTovera::userMessagePost(Dict& p, QXRequestDelegate* d) {
    postRequestWithFile("user/messagepost.aspx", p, d);
}
void DSTovera::userFriendgroup(Dict& p, QXRequestDelegate* d) {
    get("user/friendgroup.aspx", p, d);
}
void DSTovera::getUserSetgroup(Dict& p, QXRequestDelegate* d) {
    get("user/setgroup.aspx", p, d);
}
void DSTovera::userUpdategroup(Dict& p, QXRequestDelegate* d) {
    get("user/updategroup.aspx", p, d);
}
void DSTovera::getUserFriendSearch(Dict& p, QXRequestDelegate* d) {
    get("user/friend_search.aspx", p, d);
}
void DSTovera::userApply(Dict& p, QXRequestDelegate* d) {
    get("user/apply.aspx", p, d);
}
void DSTovera::userFoward(Dict& p, QXRequestDelegate* d) {
    get("user/foward.aspx", p, d);
}
void DSTovera::userClose(Dict& p, QXRequestDelegate* d) {
    get("user/close.aspx", p, d);
}
void DSTovera::userBestanswer(Dict& p, QXRequestDelegate* d) {
    get("user/bestanswer.aspx", p, d);
}
void DSTovera::userPass(Dict& p, QXRequestDelegate* d) {
    get("user/pass.aspx", p, d);
}
void DSTovera::userAgree(Dict& p, QXRequestDelegate* d) {
    get("user/agree.aspx", p, d);
}
void DSTovera::userRecommand(Dict& p, QXRequestDelegate* d) {
    get("user/recommand.aspx", p, d);
}
void DSTovera::userRemark(Dict& p, QXRequestDelegate* d) {
    get("user/remark.aspx", p, d);
}
void DSTovera::userFocus(Dict& p, QXRequestDelegate* d) {
    get("user/focus.aspx", p, d);
}
void DSTovera::getUserFocushouseList(Dict& p, QXRequestDelegate* d) {
    get("user/focushouse_list.aspx", p, d, PageSize::kAlways);
}
void DSTovera::userSubscribe(Dict& p, QXRequestDelegate* d) {
    get("user/subscribe.aspx", p, d);
}
void DSTovera::userNewmsg(Dict& p, QXRequestDelegate* d) {
    get("user/newmsg.aspx", p, d);
}
void DSTovera::getUserSearchmsg(Dict& p, QXRequestDelegate* d) {
    get("user/searchmsg.aspx", p, d, PageSize::kAlways);
}
void DSTovera::getUserSendmsgList(Dict& p, QXRequestDelegate* d) {
    get("user/sendmsg_list.aspx", p, d, PageSize::kAlways);
}
void DSTovera::userSendmsg(Dict& p, QXRequestDelegate* d) {
    get("user/sendmsg.aspx", p, d);
}
void DSTovera::userDeletemsg(Dict& p, QXRequestDelegate* d) {
    get("user/deletemsg.aspx", p, d);
}
void DSTovera::userShieldmsg(Dict& p, QXRequestDelegate* d) {
    get("user/shieldmsg.aspx", p, d);
}
void DSTovera::userSetmsg(Dict& p, QXRequestDelegate* d) {
    get("user/setmsg.aspx", p, d);
}
void DSTovera::userBlack(Dict& p, QXRequestDelegate* d) {
    get("user/black.aspx", p, d);
}

}  // namespace tovera
