// The fixture of the new-build list and filter form tests: the list fixture
// of the news screens (the demo service, whose requests a test reads and
// into which it injects faults; a scripted server; sign-in), "新房" shown
// over a plain root screen, and helpers that work the screens as a user
// does: tapping what is drawn, choosing in the option picker.
#pragma once

#include <QString>

#include <string>
#include <vector>

#include "core/Value.h"
#include "property/HouseSearch.h"
#include "property/ToveraList.h"
#include "tests/news/NewsListsUiTest.h"

namespace tovera::testing {

class ProjectListTest : public NewsListsUiTest {
protected:
    void SetUp() override;

    /// Pushes "新房" over a plain root screen and waits for its first page.
    ToveraList* openList();
    Dict lastSearch() const;
    /// Waits until `path` received `count` requests and the screen settled.
    bool replies(std::string_view path, std::size_t count) const;

    /// Taps the view showing `text` on screen (the topmost one).
    bool tapText(const QString& text);
    /// Taps "筛选" of the list and returns the form shown.
    HouseSearch* openFilter();
    /// Taps field `tag`'s button and waits until the picker shows.
    bool openField(HouseSearch* form, int tag);
    /// Moves the picker to `row` and taps "确定".
    bool pick(HouseSearch* form, int row);
    /// The titles the picker offers.
    QStringList pickerTitles(HouseSearch* form) const;

    ToveraList* list_ = nullptr;
};

}  // namespace tovera::testing
