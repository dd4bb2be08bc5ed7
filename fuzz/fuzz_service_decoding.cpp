// The demo service's request decoding on arbitrary bytes: the input is split
// into a query, a Content-Type and a body at its first two NUL bytes, and is
// also fed whole to the URL-encoded and multipart readers.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "service/RequestDecoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tovera::service;
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string_view query = input.substr(0, input.find('\0'));
    std::string_view rest =
        query.size() < input.size() ? input.substr(query.size() + 1) : std::string_view();
    std::string_view contentType = rest.substr(0, rest.find('\0'));
    std::string_view body =
        contentType.size() < rest.size() ? rest.substr(contentType.size() + 1) : std::string_view();

    tovera::Dict params;
    Pictures pictures;
    decodeParameters(query, contentType, body, params, pictures);
    decodeParameters({}, "multipart/form-data", input, params, pictures);
    parseMultipart("multipart/form-data; boundary=B", input);
    tovera::Dict utf8;
    decodeUrlEncoded(input, TextEncoding::kUtf8, utf8);
    percentDecode(input);
    return 0;
}
