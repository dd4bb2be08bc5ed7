// The choice of the user's current city, presented over the home screen: the
// city found from the device's position, or one of the service's cities.
// The choice goes into the preferences ("cityid", "city", "geo") and the
// session, and the home list reloads.
#pragma once

#include <QPointer>
#include <QString>

#include <memory>

#include "framework/QXViewController.h"
#include "platform/Location.h"
#include "platform/ReverseGeocoder.h"

namespace tovera {

class DSTovera;

class ChooseCity : public QXViewController,
                   public platform::ui::TableViewDataSource,
                   public platform::LocationListener,
                   public platform::ReverseGeocoderDelegate {
    Q_OBJECT
public:
    /// What the position row reads until a place is found.
    static constexpr const char* kUnknown = "未知";

    /// `home` is the screen whose list reloads once a city is chosen.
    explicit ChooseCity(QXViewController* home, QObject* parent = nullptr);
    ~ChooseCity() override;

    void loadView() override;
    void viewWillAppear(bool animated) override;
    /// The list again (a pull on the table, "重试", the window coming back).
    void reloadData() override;
    void doRequest() override;
    void didLoad(const Value& reply, QXRequest* request) override;
    void requestDidFailWithError(QXRequest* request, const Error& error) override;

    platform::ui::TableView* tableView() const { return tableView_; }
    /// The city records in reply order.
    const Array& dataArray() const { return dataArray_; }
    /// The text of the position row: the place found, or "未知".
    const QString& locality() const { return locality_; }

    // Table
    int numberOfSectionsInTableView(platform::ui::TableView*) override { return 2; }
    int numberOfRowsInSection(platform::ui::TableView*, int section) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(
        platform::ui::TableView* table, const platform::ui::IndexPath& indexPath) override;
    QString titleForHeaderInSection(platform::ui::TableView*, int section) override;
    void didSelectRowAtIndexPath(platform::ui::TableView* table,
                                 const platform::ui::IndexPath& indexPath) override;

    // Position and place
    void locationDidUpdate(const platform::Coordinate& position) override;
    void locationDidFail(const platform::LocationError& error) override;
    void reverseGeocoderDidFindPlacemark(const platform::Placemark& placemark) override;
    void reverseGeocoderDidFail(const std::string& message) override;

private:
    /// The city with the longest name (2 characters or more) that occurs in
    /// `place`.
    const Dict* cityWithin(const QString& place) const;
    /// Writes the city's "cityid", "city" and "geo" into the preferences.
    static void keepCity(const Dict& city);
    /// Hands the stored city to the session, writes the preferences out,
    /// reloads the home list and closes the screen.
    void finishChoice();
    void setLocality(const QString& text);

    QPointer<QXViewController> home_;
    platform::ui::TableView* tableView_ = nullptr;
    Array dataArray_;
    QString locality_ = QString::fromUtf8(kUnknown);
    bool listPending_ = false;
    std::unique_ptr<platform::ReverseGeocoder> geocoder_;
};

}  // namespace tovera
