// The local database "tovera.sqlite" in the documents directory: one shared
// connection, opened on first use (creating the tables) and closed, after
// pruning, when the application leaves the foreground. Used only from the
// main thread.
#pragma once

#include <functional>
#include <string_view>

#include "core/Statement.h"

struct sqlite3;

namespace tovera {

class DBConnection {
public:
    static constexpr std::string_view kDatabaseName = "tovera.sqlite";

    /// The shared handle, opening the database and creating its tables when
    /// none is held. Null while the database cannot be opened.
    static sqlite3* getSharedDatabase();
    /// Opens (creating it owner-only when missing) the file of that name in
    /// the documents directory; logs and returns null on failure.
    static sqlite3* openDatabase(std::string_view fileName);
    /// With `replace`, moves a documents copy aside as "<name>.corrupt" when
    /// the resources ship a copy to take its place; then copies the shipped
    /// database when no documents copy exists. Holds no handle afterwards.
    static void createEditableCopyOfDatabaseIfNeeded(bool replace);
    /// Runs the creation statements of every table (failures are ignored).
    static void createTables();
    /// A new statement prepared on the shared handle.
    static Statement statementWithQuery(std::string_view sql);
    /// Whether the shared handle is open.
    static bool isOpen();
    /// Prunes and closes the shared handle; the next use opens it again.
    static void closeDatabase();
    /// Called after a failed write; does nothing.
    static void alert() {}

    /// The store's clock: seconds since 2001-01-01 00:00:00 UTC.
    static double now();
    /// Replaces the store's clock (tests); an empty function restores the
    /// system clock.
    static void setClock(std::function<double()> clock);
};

}  // namespace tovera
