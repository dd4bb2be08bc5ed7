#include "platform/Location.h"
#include "platform/ReverseGeocoder.h"
#include "platform/ui/map/MapView.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/UiTest.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"

#include <QStringList>

using namespace tovera::platform;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

class Pin : public MapAnnotation {
public:
    Pin(Coordinate c, QString t, QString s, int id) : c_(c), t_(t), s_(s), id_(id) {}
    Coordinate coordinate() const override { return c_; }
    QString title() const override { return t_; }
    QString subtitle() const override { return s_; }
    int id() const { return id_; }

private:
    Coordinate c_;
    QString t_, s_;
    int id_;
};

struct MapRecorder : MapViewDelegate {
    QStringList events;
    std::optional<Coordinate> user;
    bool withAccessories = true;
    AnnotationView* viewForAnnotation(MapView*, const std::shared_ptr<MapAnnotation>& a) override {
        auto* view = new AnnotationView(a, "pin");
        view->setCanShowCallout(true);
        if (withAccessories) {
            auto* picture = new Button(QRectF(0, 0, 40, 30));
            picture->titleLabel()->setTag(static_cast<Pin*>(a.get())->id());
            view->setLeftCalloutAccessoryView(picture);
            view->setRightCalloutAccessoryView(Button::withType(Button::Type::DetailDisclosure));
        }
        return view;
    }
    void didSelectAnnotationView(MapView*, AnnotationView* v) override {
        events << "select:" + v->annotation()->title();
    }
    void calloutAccessoryControlTapped(MapView*, AnnotationView* v, Control* c) override {
        auto* button = qobject_cast<Button*>(c);
        events << QString("accessory:%1:%2")
                      .arg(v->annotation()->title())
                      .arg(button && button->buttonType() == Button::Type::DetailDisclosure
                               ? -1
                               : button->titleLabel()->tag());
    }
    void didUpdateUserLocation(MapView*, const Coordinate& c) override { user = c; }
    void didFailToLocateUser(MapView*, const LocationError&) override { events << "fail"; }
};

class MapTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        Location::shared().reset();
        ReverseGeocoder::setCityTablePath(TOVERA_RESOURCE_DIR "/cities.csv");
        map = new MapView(QRectF(0, 64, 320, 416));
        map->setDelegate(&recorder);
        window()->addSubview(map);
    }
    void TearDown() override {
        UiTest::TearDown();
        Location::shared().reset();
    }
    MapRecorder recorder;
    MapView* map = nullptr;
};

}  // namespace

TEST_F(MapTest, RegionsAndConversionsAgree) {
    const Coordinate hefei = Location::kDefaultPosition;
    map->setRegion({hefei, {0.2, 0.2}});
    const CoordinateRegion shown = map->region();
    EXPECT_NEAR(shown.center.latitude, hefei.latitude, 1e-9);
    EXPECT_NEAR(shown.span.longitudeDelta, 0.2, 1e-6) << "the narrower side fits the span";
    EXPECT_GE(shown.span.latitudeDelta, 0.2);
    EXPECT_EQ(map->convertCoordinate(hefei), QPointF(160, 208));
    const Coordinate back = map->convertPoint(QPointF(37, 300));
    EXPECT_NEAR(map->convertCoordinate(back).x(), 37, 1e-6);
    EXPECT_NEAR(map->convertCoordinate(back).y(), 300, 1e-6);
    // A span of 0.5 degrees at most, as the map screen caps it.
    map->setRegion({hefei, {5, 5}});
    EXPECT_NEAR(map->region().span.longitudeDelta, 5, 1e-6);
}

TEST_F(MapTest, AnnotationsShowCalloutsWhoseAccessoriesReachTheDelegate) {
    map->setRegion({Location::kDefaultPosition, {0.2, 0.2}});
    auto a = std::make_shared<Pin>(Coordinate{31.86, 117.30}, "滨湖花园", "包河区", 42);
    auto b = std::make_shared<Pin>(Coordinate{31.82, 117.25}, "天鹅湖", "政务区", 43);
    map->addAnnotations({a, b});
    AnnotationView* va = map->viewForAnnotation(a);
    ASSERT_NE(va, nullptr);
    // The pin's tip sits on the coordinate.
    EXPECT_NEAR(va->frame().center().x(), map->convertCoordinate(a->coordinate()).x(), 0.5);
    EXPECT_NEAR(va->frame().bottom(), map->convertCoordinate(a->coordinate()).y(), 0.5);

    ASSERT_TRUE(tap(va));
    EXPECT_EQ(recorder.events, QStringList{"select:滨湖花园"});
    ASSERT_NE(map->calloutView(), nullptr);
    EXPECT_NE(findByText(map->calloutView(), "包河区"), nullptr);
    ASSERT_TRUE(tap(va->leftCalloutAccessoryView()));
    ASSERT_TRUE(tap(va->rightCalloutAccessoryView()));
    EXPECT_EQ(recorder.events,
              (QStringList{"select:滨湖花园", "accessory:滨湖花园:42", "accessory:滨湖花园:-1"}));

    tap(map->viewForAnnotation(b));
    EXPECT_EQ(map->selectedAnnotation(), b);
    map->removeAnnotation(b);
    EXPECT_EQ(map->selectedAnnotation(), nullptr);
    EXPECT_EQ(map->calloutView(), nullptr);
    EXPECT_EQ(map->annotations().size(), 1u);
    // A removed view with a reuse identifier can serve another annotation.
    EXPECT_NE(map->dequeueReusableAnnotationViewWithIdentifier("pin"), nullptr);
}

TEST_F(MapTest, DraggingPansAndDoubleTapZoomsAboutThePointer) {
    map->setRegion({Location::kDefaultPosition, {0.2, 0.2}});
    const Coordinate before = map->centerCoordinate();
    const Coordinate underPointer = map->convertPoint(QPointF(100, 100));
    drag(map, QPointF(200, 200), QPointF(-50, 0));
    EXPECT_GT(map->centerCoordinate().longitude, before.longitude);
    EXPECT_NEAR(map->centerCoordinate().latitude, before.latitude, 1e-9);
    const double span = map->region().span.longitudeDelta;
    const Coordinate anchor = map->convertPoint(QPointF(100, 100));
    doubleTap(map, QPointF(100, 100));
    EXPECT_NEAR(map->region().span.longitudeDelta, span / 2, 1e-9);
    EXPECT_NEAR(map->convertPoint(QPointF(100, 100)).longitude, anchor.longitude, 1e-9);
    (void)underPointer;
}

TEST_F(MapTest, UserPositionComesFromTheLocationService) {
    Location::shared().setPosition({31.8206, 117.2272});
    map->setShowsUserLocation(true);
    ASSERT_TRUE(waitFor([&] { return recorder.user.has_value(); }));
    EXPECT_EQ(*recorder.user, (Coordinate{31.8206, 117.2272}));
    ASSERT_NE(map->userLocationAnnotation(), nullptr);
    EXPECT_EQ(map->annotations().size(), 1u);
    map->setCenterCoordinate(*recorder.user);
    EXPECT_TRUE(map->isUserLocationVisible());
    map->setShowsUserLocation(false);
    EXPECT_TRUE(map->annotations().empty());

    Location::shared().setMode(Location::Mode::Failure);
    map->setShowsUserLocation(true);
    ASSERT_TRUE(waitFor([&] { return recorder.events.contains("fail"); }));
}
