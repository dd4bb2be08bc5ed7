// "tools/tools.aspx": the home-buying tools page shown in the client's web
// view, with a mortgage calculator and a purchase-tax calculator. Plain HTML
// forms that send back to the service (GET or POST); no script needed.
#include <charconv>
#include <cmath>
#include <cstdio>

#include "service/Handlers.h"
#include "service/Portal.h"
#include "service/Text.h"

namespace tovera::service {

namespace {

constexpr std::string_view kHtmlType = "text/html; charset=utf-8";

std::string page(std::string_view title, std::string_view body) {
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
           "<title>" +
           std::string(title) +
           "</title><style>"
           "body{font-family:sans-serif;font-size:15px;margin:10px;color:#333}"
           "h1{font-size:18px;color:#e8600a}label{display:block;margin:8px 0 2px}"
           "input,select{width:100%;box-sizing:border-box;padding:5px;font-size:15px}"
           "button{margin-top:12px;width:100%;padding:8px;background:#e8600a;color:#fff;"
           "border:0;font-size:16px}.result{margin-top:14px;padding:8px;background:#fff4ea;"
           "border:1px solid #f3c9a6}.result b{color:#e8600a}a{color:#e8600a}"
           "li{margin:10px 0}</style></head><body>" +
           std::string(body) + "</body></html>\n";
}

// A positive finite number typed into a field, or nothing.
std::optional<double> number(const Dict& fields, std::string_view key) {
    std::string text(trimmed(fields[key].toText()));
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value) || value < 0)
        return std::nullopt;
    return value;
}

std::string money(double yuan) {
    char text[48];
    std::snprintf(text, sizeof text, "%.2f", yuan);
    return text;
}

std::string field(std::string_view label, std::string_view name, const Dict& fields,
                  std::string_view fallback) {
    std::string value = fields.contains(name) ? fields[name].toText() : std::string(fallback);
    return "<label>" + std::string(label) + "</label><input name=\"" + std::string(name) +
           "\" inputmode=\"decimal\" value=\"" + htmlEscape(value) + "\">";
}

// Monthly payment of an equal-instalment loan, and the first payment and
// monthly decrease of an equal-principal loan.
std::string loanResult(const Dict& fields) {
    auto price = number(fields, "price");
    auto down = number(fields, "down");
    auto years = number(fields, "years");
    auto rate = number(fields, "rate");
    if (!price || !down || !years || !rate || *price <= 0 || *down >= 100 || *years < 1 ||
        *years > 30)
        return "<div "
               "class=\"result\">请填写正确的总价、首付比例（0-99）、年限（1-30）和利率。</div>";
    double principal = *price * 10000 * (1 - *down / 100);
    double months = std::round(*years * 12);
    double monthlyRate = *rate / 100 / 12;
    std::string out = "<div class=\"result\">贷款金额：<b>" + money(principal) + "</b> 元<br>";
    if (fields["method"].toText() == "2") {
        double base = principal / months;
        out += "首月月供：<b>" + money(base + principal * monthlyRate) + "</b> 元<br>每月递减：" +
               money(base * monthlyRate) + " 元<br>支付利息：" +
               money(principal * monthlyRate * (months + 1) / 2) + " 元";
    } else {
        double payment = monthlyRate == 0
                             ? principal / months
                             : principal * monthlyRate * std::pow(1 + monthlyRate, months) /
                                   (std::pow(1 + monthlyRate, months) - 1);
        out += "每月月供：<b>" + money(payment) + "</b> 元<br>支付利息：" +
               money(payment * months - principal) + " 元";
    }
    return out + "</div>";
}

std::string loanForm(const Dict& fields) {
    bool equalPrincipal = fields["method"].toText() == "2";
    return "<form method=\"get\" action=\"loan.aspx\">" +
           field("房屋总价（万元）", "price", fields, "100") +
           field("首付比例（%）", "down", fields, "30") +
           field("贷款年限（年）", "years", fields, "30") +
           field("年利率（%）", "rate", fields, "4.9") +
           "<label>还款方式</label><select name=\"method\"><option value=\"1\">等额本息</option>"
           "<option value=\"2\"" +
           (equalPrincipal ? " selected" : "") +
           ">等额本金</option></select><button type=\"submit\">计算月供</button></form>";
}

// The tools page: the list of tools, with the mortgage calculator at hand.
Reply index(const IncomingRequest&, Portal&) {
    return textReply(
        page("购房工具",
             "<h1>购房工具</h1><ul>"
             "<li><a href=\"loan.aspx\">房贷计算器</a>：按总价、首付、年限和利率计算月供</li>"
             "<li><a href=\"tax.aspx\">购房税费计算器</a>：契税、交易手续费和登记费</li>"
             "</ul><h1>房贷计算器</h1>" +
                 loanForm(Dict{})),
        std::string(kHtmlType));
}

Reply loan(const IncomingRequest& in, Portal&) {
    Dict fields = pageParameters(in);
    std::string body = "<h1>房贷计算器</h1>" + loanForm(fields);
    if (fields.contains("price")) body += loanResult(fields);
    body += "<p><a href=\"tools.aspx\">返回购房工具</a></p>";
    return textReply(page("房贷计算器", body), std::string(kHtmlType));
}

// Deed tax by first home and area, the trading fee per square metre and
// the registration fee.
std::string taxResult(const Dict& fields) {
    auto price = number(fields, "price");
    auto area = number(fields, "area");
    if (!price || !area || *price <= 0 || *area <= 0)
        return "<div class=\"result\">请填写正确的总价和面积。</div>";
    bool first = fields["first"].toText() != "0";
    double rate = !first ? 0.03 : *area <= 90 ? 0.01 : 0.015;
    double deed = *price * 10000 * rate;
    double trading = *area * 3;
    double registration = 80;
    return "<div class=\"result\">契税（" + money(rate * 100) + "%）：" + money(deed) +
           " 元<br>交易手续费：" + money(trading) + " 元<br>登记费：" + money(registration) +
           " 元<br>合计：<b>" + money(deed + trading + registration) + "</b> 元</div>";
}

Reply tax(const IncomingRequest& in, Portal&) {
    Dict fields = pageParameters(in);
    bool second = fields["first"].toText() == "0";
    std::string body =
        "<h1>购房税费计算器</h1><form method=\"get\" action=\"tax.aspx\">" +
        field("房屋总价（万元）", "price", fields, "100") +
        field("建筑面积（平方米）", "area", fields, "90") +
        "<label>是否首套</label><select name=\"first\"><option value=\"1\">首套住房</option>"
        "<option value=\"0\"" +
        (second ? " selected" : "") +
        ">二套及以上</option></select><button type=\"submit\">计算</button></form>";
    if (fields.contains("price")) body += taxResult(fields);
    body += "<p><a href=\"tools.aspx\">返回购房工具</a></p>";
    return textReply(page("购房税费计算器", body), std::string(kHtmlType));
}

}  // namespace

void addToolPages(Router& router) {
    router.addPage("/api/phone/tools/tools.aspx", index);
    router.addPage("/api/phone/tools/loan.aspx", loan);
    router.addPage("/api/phone/tools/tax.aspx", tax);
}

}  // namespace tovera::service
