// The text a reader sees in a stored value that may hold markup: tags taken
// out (a block tag such as a paragraph or a line break leaves a space, an
// inline one nothing, a script or style goes with what it holds), character
// entities decoded, emoticon codes ("[Face3]") left out, and every run of
// white space made one space, none at either end. Used for the texts the
// local search looks through and shows. UTF-8 in and out.
#pragma once

#include <string>
#include <string_view>

namespace tovera {

std::string readableText(std::string_view stored);

}  // namespace tovera
