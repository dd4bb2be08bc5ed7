// The service's twin of the configuration lists the client reads from its
// "config" resource: the client sends row indexes of these lists, and the
// service reads them with the same lists. Keep both copies in step.
#pragma once

#include <array>
#include <string_view>

namespace tovera::service::config {

inline constexpr std::array<std::string_view, 6> kClassic = {"不限", "住宅", "公寓",
                                                             "别墅", "商铺", "写字楼"};
inline constexpr std::array<std::string_view, 6> kHousetype = {"不限", "一室", "二室",
                                                               "三室", "四室", "五室及以上"};
inline constexpr std::array<std::string_view, 3> kSource = {"不限", "个人", "中介"};
// Filter bands: the numbers of a row's text are its bounds (see RangeFilter.h).
inline constexpr std::array<std::string_view, 7> kPricelist = {
    "不限",          "8000元以下",    "8000-10000元", "10000-12000元",
    "12000-15000元", "15000-20000元", "20000元以上"};
inline constexpr std::array<std::string_view, 7> kSquare = {
    "不限", "50平米以下", "50-70平米", "70-90平米", "90-120平米", "120-144平米", "144平米以上"};
inline constexpr std::array<std::string_view, 7> kSaleprice = {
    "不限", "50万以下", "50-80万", "80-100万", "100-150万", "150-200万", "200万以上"};
inline constexpr std::array<std::string_view, 6> kRentprice = {
    "不限", "800元以下", "800-1500元", "1500-2500元", "2500-4000元", "4000元以上"};
inline constexpr std::array<std::string_view, 4> kSalestate = {"待售", "在售", "尾盘", "售罄"};
inline constexpr std::array<std::string_view, 7> kGalleryname = {
    "全部", "效果图", "实景图", "样板间", "户型图", "交通图", "配套图"};
inline constexpr std::array<int, 5> kArealevel = {1, 3, 5, 10, 20};
inline constexpr std::array<std::string_view, 5> kBuystate = {"意向购买", "已认购", "已签约",
                                                              "已交房", "已入住"};
inline constexpr std::array<std::string_view, 6> kEdu = {"初中及以下", "高中/中专", "大专",
                                                         "本科",       "硕士",      "博士及以上"};
inline constexpr std::array<std::string_view, 3> kPrivacy = {"完全保密", "仅好友可见", "完全公开"};
/// Version number of the current client build ("code" of the configuration).
inline constexpr std::string_view kCode = "100";
inline constexpr std::string_view kVersion = "1.0.0";

/// Entry `index` of `list`, or "" when out of range.
template <typename List>
constexpr std::string_view entry(const List& list, long long index) {
    return index >= 0 && static_cast<unsigned long long>(index) < list.size()
               ? std::string_view(list[static_cast<std::size_t>(index)])
               : std::string_view();
}

}  // namespace tovera::service::config
