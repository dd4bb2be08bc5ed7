#include "ContractTable.h"

#include <gtest/gtest.h>

namespace tovera::test {

namespace {

bool hasType(const Value& value, char type) {
    switch (type) {
        case 'T':
            return value.isString();
        case 'I':
            return value.isNumber();
        case 'L':
            return value.isArray();
        case 'O':
            return value.isDict();
    }
    return false;
}

void expectKeys(const Value& object, const Keys& keys, const std::string& where) {
    for (const auto& [key, type] : keys) {
        const Value* value = object.dict() ? object.dict()->find(key) : nullptr;
        ASSERT_TRUE(value) << where << ": no \"" << key << "\"";
        EXPECT_TRUE(hasType(*value, type))
            << where << ": \"" << key << "\" is not of type " << type;
    }
}

Value send(ApiClient& api, const OperationCase& c, Params params) {
    if (c.route == Route::kGet) return api.get(c.path, params);
    if (c.route == Route::kForm) return api.postForm(c.path, params);
    std::vector<Part> parts;
    for (const auto& [key, value] : params)
        parts.push_back({key, value});
    if (!c.picturePart.empty()) parts.push_back({c.picturePart, tinyPng(), true});
    return api.postMultipart(c.path, parts);
}

void expectReply(const OperationCase& c, const Value& reply) {
    ASSERT_TRUE(reply.isDict());
    const Dict& fields = *reply.dict();
    ASSERT_FALSE(fields.empty());
    EXPECT_EQ(fields.begin()->first, "error_code");
    EXPECT_EQ(reply["error_code"].intValue(), 200);
    if (c.code == Code::kAbsent) {
        EXPECT_FALSE(fields.contains("code")) << reply["msg"].toText();
    } else {
        EXPECT_EQ(reply["code"].intValue(), 0) << reply["msg"].toText();
        EXPECT_FALSE(reply["msg"].toText().empty());
    }
    expectKeys(reply, c.top, c.name);
    if (c.element.empty()) return;
    const Array& rows = reply[c.list].items();
    ASSERT_FALSE(rows.empty()) << "the seed should give \"" << c.list << "\" rows";
    for (const Value& row : rows)
        expectKeys(row, c.element, c.name + " element");
    if (fields.contains("total")) {
        EXPECT_GE(reply["total"].intValue(), static_cast<int>(rows.size()));
    }
}

}  // namespace

void expectOperationReplies(const std::vector<OperationCase>& cases) {
    RunningService service;
    ApiClient api(service);
    std::string token = api.login("demo", "demo1234");
    for (const OperationCase& c : cases) {
        SCOPED_TRACE(c.name);
        Params params = c.params;
        if (c.who == Who::kDemo) params.emplace_back("access_token", token);
        if (c.route != Route::kGet || c.who == Who::kDemo) params.emplace_back("cityid", "3401");
        expectReply(c, send(api, c, params));
    }
}

}  // namespace tovera::test
