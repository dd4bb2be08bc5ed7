// The stops of the tour, one per screen, in walking order. A new screen adds
// an entry that brings it up from wherever the previous stop left the app.
#include <functional>

#include "account/MessageSet.h"
#include "account/SetList.h"
#include "account/SetSkin.h"
#include "account/UserLogin.h"
#include "account/UserRegister.h"
#include "app/SplashViewController.h"
#include "app/Tour.h"
#include "app/toveraAppDelegate.h"
#include "ask/AskDetail.h"
#include "ask/AskDetailView.h"
#include "ask/AskForm.h"
#include "ask/AskHome.h"
#include "ask/AskList.h"
#include "ask/AskReply.h"
#include "comments/CommentCells.h"
#include "comments/CommentDetail.h"
#include "comments/CommentList.h"
#include "comments/CommentTableView.h"
#include "community/ActivityDetail.h"
#include "community/ActivityHome.h"
#include "community/ApplyActivity.h"
#include "community/DiscussList.h"
#include "community/FriendsHome.h"
#include "community/FriendsSearch.h"
#include "community/GroupList.h"
#include "community/LiveHome.h"
#include "community/LiveList.h"
#include "community/LiveRoom.h"
#include "community/MessageHome.h"
#include "community/MessageList.h"
#include "community/Profile.h"
#include "community/ProfileEdit.h"
#include "community/SendMessage.h"
#include "community/TopicDetail.h"
#include "community/TopicDetailItem.h"
#include "community/TopicHome.h"
#include "community/UserBlack.h"
#include "community/UserInfo.h"
#include "core/DBConnection.h"
#include "core/ServiceSettings.h"
#include "framework/ButtonItem.h"
#include "framework/ButtonsView.h"
#include "framework/ImageLoader.h"
#include "framework/JVPickView.h"
#include "framework/NSUtil.h"
#include "framework/Navigator.h"
#include "framework/NetButton.h"
#include "framework/NetImageView.h"
#include "framework/OfflineTitle.h"
#include "framework/PhotoPreview.h"
#include "framework/SkinChange.h"
#include "news/LocalSearch.h"
#include "news/MyNews.h"
#include "news/NetComment.h"
#include "news/News.h"
#include "news/NewsInfo.h"
#include "news/NewsList.h"
#include "news/NewsSearch.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/NavigationItem.h"
#include "platform/ui/navigation/TabBar.h"
#include "platform/ui/overlays/Toast.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Image.h"
#include "platform/ui/views/ImageView.h"
#include "platform/ui/views/Label.h"
#include "platform/ui/views/TextField.h"
#include "platform/ui/views/TextView.h"
#include "platform/ui/views/View.h"
#include "platform/ui/web/WebView.h"
#include "property/ChooseCity.h"
#include "property/Gallery.h"
#include "property/HomeCell.h"
#include "property/HouseDetail.h"
#include "property/HouseList.h"
#include "property/HousePreview.h"
#include "property/HouseSearch.h"
#include "property/HouseSupportView.h"
#include "property/HouseTableView.h"
#include "property/IntroView.h"
#include "property/JVAnnotation.h"
#include "property/LabelButton.h"
#include "property/LocationHome.h"
#include "property/MenuIcons.h"
#include "property/Saleinfo.h"
#include "property/SellList.h"
#include "property/Tovera.h"
#include "property/ToveraDetail.h"
#include "property/ToveraList.h"

namespace tovera::app {

namespace {

// The home screen in the default skin, back on top with nothing presented
// over it.
Tovera* homeOnTop(Tour& tour) {
    if (NSUtil::skinName() != "orange") SkinChange::choose("orange");
    tour.app().splash()->hidde();
    auto* navigation = tour.app().navigationController();
    if (navigation->modalViewController())
        navigation->modalViewController()->dismissModalViewControllerAnimated(false);
    navigation->popToRootViewControllerAnimated(false);
    auto* home = qobject_cast<Tovera*>(navigation->viewControllers().value(0));
    if (!home || !tour.waitFor([navigation] { return !navigation->modalViewController(); }))
        return nullptr;
    return home;
}

// `screen` pushed over the home screen, once `shown` holds.
bool pushOverHome(Tour& tour, platform::ui::ViewController* screen,
                  const std::function<bool()>& shown) {
    if (!homeOnTop(tour)) {
        delete screen;
        return false;
    }
    tour.app().navigationController()->pushViewController(screen, false);
    return tour.waitFor(shown);
}

// `gallery` pushed over the home screen with its items, and their pictures
// when they come soon.
bool showGallery(Tour& tour, Gallery* gallery) {
    if (!pushOverHome(tour, gallery, [gallery] {
            return !gallery->items().empty() && int(gallery->items().size()) >= gallery->total() &&
                   gallery->gridView()->isVisible();
        }))
        return false;
    tour.waitFor(
        [gallery] {
            for (const auto& view : gallery->gridView()->rowdata()) {
                auto* item = qobject_cast<ButtonItem*>(view.data());
                if (item && item->icon()->netimg().isNull()) return false;
            }
            return true;
        },
        std::chrono::seconds(5));
    return true;
}

// A page of the project screen: the project opened, then its page button
// pressed, once `ready` says the page has drawn its content.
TourStop projectPageStop(const char* name, ToveraDetail::Page page,
                         std::function<bool(ToveraDetail*)> ready) {
    return {name, [page, ready](Tour& tour) {
                auto* detail = new ToveraDetail;
                detail->setHid(1001);
                if (!pushOverHome(tour, detail,
                                  [detail] { return !detail->hf()->nameLbl()->text().isEmpty(); }))
                    return false;
                auto* button =
                    qobject_cast<platform::ui::Button*>(detail->btnView()->subviews().value(page));
                if (!button) return false;
                detail->btnPressed(button);
                return tour.waitFor([detail, ready] { return ready(detail); });
            }};
}

// A web page of the project screen, once its text is laid out.
TourStop projectWebPageStop(const char* name, ToveraDetail::Page page) {
    return projectPageStop(name, page, [](ToveraDetail* detail) {
        auto* web = qobject_cast<ProjectWebPage*>(detail->currentPage());
        return web && !web->webView()->visibleText().isEmpty() && !web->webView()->isLoading();
    });
}

// A page of a second-hand listing: the listing opened, then its page button
// pressed once its detail is there.
TourStop listingPageStop(const char* name, HouseDetail::Page page) {
    return {name, [page](Tour& tour) {
                auto* detail = new HouseDetail;
                detail->setTitle(QStringLiteral("二手房详情"));
                detail->param().setRid("20058");
                if (!pushOverHome(tour, detail, [detail] { return !detail->detail().empty(); }))
                    return false;
                auto* button =
                    qobject_cast<platform::ui::Button*>(detail->btnView()->subviews().value(page));
                if (!button) return false;
                detail->btnPressed(button);
                return tour.waitFor([detail] {
                    return detail->currentPage() && detail->currentPage()->isVisible();
                });
            }};
}

// Signs `session` in as the demo service's demo user (the personal feed
// needs a user).
bool signInDemoUser(Tour& tour, DSTovera& session) {
    struct Reply : QXRequestDelegate {
        void requestDidLoad(QXRequest*, const Value& reply) override { answer = reply; }
        void requestDidFailWithError(QXRequest*, const Error&) override { failed = true; }
        Value answer;
        bool failed = false;
    } reply;
    Dict form{{"username", "demo"}, {"password", "demo1234"}};
    DSTovera::userLogin(form, &reply);
    if (!tour.waitFor([&reply] { return reply.failed || !reply.answer.isNull(); })) return false;
    const std::string password = reply.answer.getStringValueForKey("password", "");
    if (password.empty()) return false;
    session.setUid(reply.answer.getStringValueForKey("id", "1"), "demo" + password,
                   session.cityId());
    return true;
}

// `screen` pushed over the home screen for the signed-in demo user, once
// `shown` holds.
bool pushSignedIn(Tour& tour, platform::ui::ViewController* screen,
                  const std::function<bool()>& shown) {
    Tovera* home = homeOnTop(tour);
    if (home && !home->DStovera().isUserLoggedin()) {
        // Signed in as a person would: through the login screen.
        auto* login = new UserLogin;
        tour.app().navigationController()->pushViewController(login, false);
        if (tour.waitFor([login] { return login->view()->isVisible(); })) {
            login->usernameTextField()->setText(QStringLiteral("demo"));
            login->pwdTextField()->setText(QStringLiteral("demo1234"));
            login->doLogin();
            tour.waitFor([home] { return home->DStovera().isUserLoggedin(); });
        }
        home = homeOnTop(tour);
    }
    if (!home || !home->DStovera().isUserLoggedin()) {
        delete screen;
        return false;
    }
    return pushOverHome(tour, screen, shown);
}

// The page of user `id` as the demo user sees it.
TourStop userPageStop(std::string name, const char* id) {
    return {std::move(name), [id](Tour& tour) {
                auto* page = new UserInfo;
                page->param().setRid(id);
                return pushSignedIn(tour, page, [page] {
                    return !page->record().empty() && !page->tabBar()->isHidden();
                });
            }};
}

// The own profile's section `type`.
TourStop profileStop(std::string name, const char* type) {
    return {std::move(name), [type](Tour& tour) {
                auto* profile = new Profile;
                profile->param().setType(type);
                return pushSignedIn(tour, profile,
                                    [profile] { return !profile->record().empty(); });
            }};
}

// The menu page of tab `index`.
TourStop menuStop(std::string name, int index) {
    return {std::move(name), [index](Tour& tour) {
                Tovera* home = homeOnTop(tour);
                if (!home) return false;
                home->tabBar()->chooseItem(index);
                return tour.waitFor([home, index] {
                    return home->menu() && home->menu()->type() == index &&
                           home->menu()->view()->isVisible();
                });
            }};
}

// The home list under `skin`, with its first row's picture when it comes soon.
TourStop homeStop(std::string name, std::string skin) {
    return {std::move(name), [skin](Tour& tour) {
                Tovera* home = homeOnTop(tour);
                if (!home) return false;
                if (NSUtil::skinName() != skin) SkinChange::choose(skin);
                home->tabBar()->chooseItem(0);
                if (!tour.waitFor([home] {
                        return !home->dataArray().empty() && home->tableView()->isVisible();
                    }))
                    return false;
                const QImage placeholder = ImageLoader::noPicture().toImage();
                tour.waitFor(
                    [home, placeholder] {
                        auto* cell = qobject_cast<HomeCell*>(
                            home->tableView()->cellForRowAtIndexPath({0, 0}));
                        return cell && cell->iconView()->image().toImage() != placeholder;
                    },
                    std::chrono::seconds(5));
                return true;
            }};
}

// The notification settings opened on `tab` ("1" followed projects, "2"
// subscriptions) for the demo user, once its list shows rows.
TourStop messageSettingsStop(std::string name, const char* tab) {
    return {
        std::move(name), [tab](Tour& tour) {
            Tovera* home = homeOnTop(tour);
            if (!home || !signInDemoUser(tour, home->DStovera())) return false;
            Route route{Destination::MessageSettings};
            route.param.setType(tab);
            auto* settings = qobject_cast<MessageSet*>(Navigator::build(route));
            if (!settings) return false;
            return pushOverHome(tour, settings, [settings] {
                auto* list =
                    qobject_cast<QXViewController*>(settings->viewController(settings->index()));
                auto* table = list ? qobject_cast<platform::ui::TableView*>(list->view()) : nullptr;
                return table && table->numberOfRowsInSection(0) > 0;
            });
        }};
}

// The posting form of `type`, signed in, filled in as a user would, with
// the splash picture as its photo (the photo picker needs a person).
TourStop askFormStop(std::string name, const char* type, const char* title, const char* subject,
                     const char* body) {
    return {std::move(name), [type, title, subject, body](Tour& tour) {
                Tovera* home = homeOnTop(tour);
                if (!home || !signInDemoUser(tour, home->DStovera())) return false;
                auto* form = new AskForm;
                form->param().setType(type);
                form->setTitle(QString::fromUtf8(title));
                if (!pushOverHome(tour, form, [form] { return form->view()->isVisible(); }))
                    return false;
                form->titleField()->setText(QString::fromUtf8(subject));
                form->contentText()->setText(QString::fromUtf8(body));
                form->useImage(platform::ui::Image::named(QStringLiteral("splash.png")).toImage());
                const bool live = std::string_view(type) == "5";
                if (!tour.waitFor([form, live] {
                        return !form->preView()->isHidden() && (!live || !form->pkArray().empty());
                    }))
                    return false;
                // A live room's city is chosen on the picker.
                if (live) form->chooseCity();
                return !live || form->pkView()->isVisible();
            }};
}

}  // namespace

const std::vector<TourStop>& tourStops() {
    static const std::vector<TourStop> stops = {
        {"splash",
         [](Tour& tour) {
             SplashViewController* splash = tour.app().splash();
             splash->show();
             return !splash->view()->isHidden();
         }},
        {"root",
         [](Tour& tour) {
             tour.app().splash()->hidde();
             auto* navigation = tour.app().navigationController();
             navigation->popToRootViewControllerAnimated(false);
             return tour.waitFor([navigation] {
                 return navigation->topViewController() == navigation->viewControllers().first();
             });
         }},
        homeStop("home", "orange"),
        menuStop("menu-property", 1),
        menuStop("menu-community", 2),
        menuStop("menu-followed", 3),
        menuStop("menu-account", 4),
        {"news-article",
         [](Tour& tour) {
             auto* article = new NewsInfo;
             article->param().setRid("50001");
             // The body with its pictures, and the newest comments under it.
             return pushOverHome(tour, article, [article] {
                 return !article->titleLable()->text().isEmpty() &&
                        !article->contentText()->isLoading() &&
                        !article->commentTable()->commentArray().empty();
             });
         }},
        {"comment-list",
         [](Tour& tour) {
             auto* detail = new CommentDetail;
             CommentList* list = detail->commentList();
             list->param().setType("1");
             list->param().setRid("50001");
             list->param().setPtype("1");
             return pushOverHome(tour, detail, [list] {
                 return list->cells()->measured() ||
                        list->tableView()->tableFooterView() == list->noItemView();
             });
         }},
        {"net-comment",
         [](Tour& tour) {
             auto* comments = new NetComment;
             CommentList* list = comments->commentList();
             return pushOverHome(tour, comments, [list] { return list->cells()->measured(); });
         }},
        {"news",
         [](Tour& tour) {
             Tovera* home = homeOnTop(tour);
             if (!home) return false;
             auto* news = new News;
             news->hasBtnsView(true);
             return pushOverHome(tour, news, [news] {
                 return !news->btnsView()->subviews().isEmpty() &&
                        !news->newsListController()->items().empty();
             });
         }},
        {"news-search",
         [](Tour& tour) {
             Tovera* home = homeOnTop(tour);
             if (!home) return false;
             auto* search = new NewsSearch;
             return pushOverHome(tour, search, [search] { return !search->items().empty(); });
         }},
        {"my-news",
         [](Tour& tour) {
             Tovera* home = homeOnTop(tour);
             if (!home || !signInDemoUser(tour, home->DStovera())) return false;
             auto* feed = new MyNews;
             feed->setTitle(QStringLiteral("订阅资讯"));
             feed->param().setType("3");
             return pushOverHome(tour, feed, [feed] { return !feed->items().empty(); });
         }},
        {"city-choice",
         [](Tour& tour) {
             Tovera* home = homeOnTop(tour);
             if (!home) return false;
             home->chooseCity();
             return tour.waitFor([home] {
                 auto* choose = qobject_cast<ChooseCity*>(home->modalViewController());
                 return choose && !choose->dataArray().empty() &&
                        choose->locality() != QString::fromUtf8(ChooseCity::kUnknown);
             });
         }},
        {"user-login",
         [](Tour& tour) {
             Tovera* home = homeOnTop(tour);
             if (!home) return false;
             auto* login = new UserLogin;
             tour.app().navigationController()->pushViewController(login, false);
             return tour.waitFor([login] { return login->view()->isVisible(); });
         }},
        {"user-register",
         [](Tour& tour) {
             Tovera* home = homeOnTop(tour);
             if (!home) return false;
             auto* form = new UserRegister;
             tour.app().navigationController()->pushViewController(form, false);
             return tour.waitFor([form] { return form->view()->isVisible(); });
         }},
        {"project-list",
         [](Tour& tour) {
             auto* list = new ToveraList;
             return pushOverHome(tour, list, [list] {
                 return list->list() && !list->list()->items().empty() &&
                        !list->keyWord()->text().isEmpty();
             });
         }},
        {"project-filter",
         [](Tour& tour) {
             auto* list = new ToveraList;
             if (!pushOverHome(tour, list,
                               [list] { return list->list() && !list->list()->items().empty(); }))
                 return false;
             auto* form = new HouseSearch;
             tour.app().navigationController()->pushViewController(form, false);
             if (!tour.waitFor([form] { return form->view()->isVisible(); })) return false;
             // The price field's options, which show at once.
             form->btnPressed(form->row(1));
             return tour.waitFor([form] { return form->pkView() && form->pkView()->isVisible(); });
         }},
        {"gallery",
         [](Tour& tour) {
             auto* gallery = new Gallery;
             gallery->param().setRid("1001");
             gallery->getGrid();
             return showGallery(tour, gallery);
         }},
        {"gallery-album",
         [](Tour& tour) {
             auto* album = new Gallery;
             album->param().setRid("1001");
             album->param().setType("1");
             album->param().setApi("gallery");
             return showGallery(tour, album);
         }},
        {"sale-info",
         [](Tour& tour) {
             auto* saleinfo = new Saleinfo;
             return pushOverHome(tour, saleinfo, [saleinfo] { return !saleinfo->items().empty(); });
         }},
        {"sale-news",
         [](Tour& tour) {
             auto* news = new SellList;
             news->param().setRid("1001");
             news->setHeaderTitle(QStringLiteral("翠湖名邸"));
             news->addViewHouseButton();
             return pushOverHome(tour, news, [news] { return !news->items().empty(); });
         }},
        {"project-overview",
         [](Tour& tour) {
             auto* detail = new ToveraDetail;
             detail->setHid(1001);
             return pushOverHome(tour, detail, [detail] {
                 return !detail->hf()->nameLbl()->text().isEmpty() && !detail->dataArray().empty();
             });
         }},
        projectWebPageStop("project-introduction", ToveraDetail::kIntro),
        projectWebPageStop("project-transport", ToveraDetail::kSupport),
        projectPageStop("project-albums", ToveraDetail::kGallery,
                        [](ToveraDetail* detail) {
                            auto* albums = qobject_cast<Gallery*>(detail->pageScreen());
                            return albums && !albums->items().empty();
                        }),
        {"listings",
         [](Tour& tour) {
             auto* list = new HouseList;
             return pushOverHome(tour, list, [list] { return !list->items().empty(); });
         }},
        listingPageStop("listing-overview", HouseDetail::kPreview),
        listingPageStop("listing-description", HouseDetail::kDetail),
        listingPageStop("listing-pictures", HouseDetail::kPictures),
        {"map-nearby",
         [](Tour& tour) {
             auto* map = new LocationHome;
             if (!pushOverHome(tour, map, [map] { return !map->dataArray().empty(); }))
                 return false;
             // The nearest pin with its callout open.
             map->mapView()->selectAnnotation(map->dataArray().front(), false);
             return tour.waitFor([map] { return map->mapView()->calloutView() != nullptr; });
         }},
        {"map-single-pin",
         [](Tour& tour) {
             auto* map = new LocationHome;
             auto pin = std::make_shared<JVAnnotation>();
             pin->setTitle(QStringLiteral("翠湖名邸"));
             pin->setSubtitle(QStringLiteral("蜀山区湖光路88号"));
             pin->setCoordinate({31.856176, 117.325391});
             map->setType(LocationHome::kSinglePin);
             map->setAnnotaiton(pin);
             return pushOverHome(tour, map, [map] { return map->mapView()->isVisible(); });
         }},
        {"ask-home",
         [](Tour& tour) {
             auto* home = new AskHome;
             return pushOverHome(tour, home, [home] {
                 return home->asklistController() && !home->asklistController()->items().empty();
             });
         }},
        {"ask-question",
         [](Tour& tour) {
             auto* question = new AskDetail;
             question->param().setRid("60003");
             return pushOverHome(tour, question, [question] {
                 AskReply* answers = question->scrollView()->askReply();
                 return !question->detail().empty() && answers && !answers->dataArray().empty() &&
                        int(answers->dataArray().size()) >= answers->total();
             });
         }},
        askFormStop("ask-form", "7", "发表咨询", "翠湖名邸的车位还有吗？",
                    "想了解一下地下车位的价格和数量。"),
        askFormStop("ask-form-live", "5", "发送直播", "翠湖名邸样板间开放直播", ""),
        askFormStop("ask-form-message", "1", "直播消息", "", "样板间现场人气很旺，欢迎大家来看。"),
        {"activity-home",
         [](Tour& tour) {
             auto* home = new ActivityHome;
             return pushOverHome(tour, home, [home] { return !home->items().empty(); });
         }},
        {"activity-detail",
         [](Tour& tour) {
             auto* detail = new ActivityDetail;
             detail->param().setRid("40001");
             return pushOverHome(tour, detail, [detail] {
                 return !detail->detail().empty() &&
                        detail->commentTable()->tableView()->tableHeaderView() != nullptr;
             });
         }},
        {"activity-signup",
         [](Tour& tour) {
             auto* apply = new ApplyActivity;
             apply->param().setRid("40001");
             if (!pushOverHome(tour, apply, [apply] { return apply->isViewLoaded(); }))
                 return false;
             // The page engine starts on the first page by address.
             return tour.waitFor(
                 [apply] {
                     return !apply->webView()->isLoading() &&
                            apply->webView()->visibleText().contains(QStringLiteral("人数"));
                 },
                 std::chrono::seconds(60));
         }},
        {"topic-home",
         [](Tour& tour) {
             auto* home = new TopicHome;
             return pushOverHome(tour, home, [home] { return !home->items().empty(); });
         }},
        {"topic-detail",
         [](Tour& tour) {
             // A topic with a picture and a page of replies.
             auto* detail = new TopicDetail;
             detail->param().setRid("70001");
             if (!pushOverHome(tour, detail, [detail] { return detail->items().size() > 1; }))
                 return false;
             tour.waitFor(
                 [detail] {
                     auto* topic = qobject_cast<TopicDetailItem*>(
                         detail->tableView()->cellForRowAtIndexPath({0, 0}));
                     return topic && !topic->picture()->netimg().isNull();
                 },
                 std::chrono::seconds(5));
             return true;
         }},
        {"live-home",
         [](Tour& tour) {
             auto* home = new LiveHome;
             return pushOverHome(tour, home, [home] { return !home->items().empty(); });
         }},
        // demo's open room, as its owner: the messages under the room picture.
        {"live-room",
         [](Tour& tour) {
             auto* room = new LiveRoom;
             room->param().setRid("80001");
             return pushSignedIn(tour, room, [room] {
                 return !room->detail().empty() && room->liveList() &&
                        room->liveList()->items().size() > 1;
             });
         }},
        {"live-discussion",
         [](Tour& tour) {
             auto* room = new LiveRoom;
             room->param().setRid("80019");
             if (!pushSignedIn(tour, room, [room] {
                     return !room->detail().empty() && room->discussList() &&
                            !room->discussList()->items().empty();
                 }))
                 return false;
             // The strip's "讨论区", as a person would choose it.
             room->btnPressed(
                 qobject_cast<platform::ui::Button*>(room->btnView()->subviews().value(1)));
             return tour.waitFor([room] { return !room->discussList()->items().empty(); });
         }},
        {"friends",
         [](Tour& tour) {
             auto* friends = new FriendsHome;
             if (!pushSignedIn(tour, friends, [friends] { return !friends->dataArray().empty(); }))
                 return false;
             // The default group, opened.
             friends->headerButton(0)->sendTap();
             return tour.waitFor(
                 [friends] { return friends->tableView()->visibleCells().size() > 0; });
         }},
        {"member-search",
         [](Tour& tour) {
             auto* search = new FriendsSearch;
             if (!pushSignedIn(tour, search, [search] { return !search->items().empty(); }))
                 return false;
             search->searchBar()->setText(QStringLiteral("a"));
             search->doSearch();
             return tour.waitFor([search] {
                 return !search->items().empty() &&
                        search->headerText().startsWith(QStringLiteral("包含"));
             });
         }},
        {"friend-groups",
         [](Tour& tour) {
             auto* groups = new GroupList;
             return pushSignedIn(tour, groups, [groups] { return groups->dataArray().size() > 2; });
         }},
        {"blacklist",
         [](Tour& tour) {
             auto* black = new UserBlack;
             return pushSignedIn(tour, black, [black] { return !black->dataArray().empty(); });
         }},
        {"messages",
         [](Tour& tour) {
             auto* inbox = new MessageHome;
             return pushSignedIn(tour, inbox,
                                 [inbox] { return !inbox->msgController()->items().empty(); });
         }},
        {"message-write",
         [](Tour& tour) {
             auto* form = new SendMessage;
             form->sendTo(QStringLiteral("wangfang"));
             form->setSubject(QStringLiteral("周末看房"));
             form->setContent(QStringLiteral("周六上午一起去翠湖名邸看看样板间吧?"));
             return pushSignedIn(tour, form, [form] { return form->view()->isVisible(); });
         }},
        userPageStop("user-page-private", "3"),
        userPageStop("user-page-friends-only", "4"),
        userPageStop("user-page-public", "5"),
        profileStop("profile", "1"),
        profileStop("profile-purchase", "2"),
        profileStop("profile-neighbours", "3"),
        {"profile-edit",
         [](Tour& tour) {
             auto* editor = new ProfileEdit;
             editor->param().setType("2");
             editor->setTitle(QStringLiteral("修改置业信息"));
             return pushSignedIn(tour, editor, [editor] { return !editor->record().empty(); });
         }},
        {"settings",
         [](Tour& tour) {
             auto* settings = new SetList;
             return pushOverHome(tour, settings, [settings] {
                 return settings->tableView()->numberOfRowsInSection(0) == 4;
             });
         }},
        {"skins",
         [](Tour& tour) {
             auto* skins = new SetSkin;
             return pushOverHome(
                 tour, skins, [skins] { return skins->tableView()->numberOfRowsInSection(0) > 0; });
         }},
        messageSettingsStop("message-settings-followed", "1"),
        messageSettingsStop("message-settings-subscriptions", "2"),
        // An article read before, opened again with the service unreachable:
        // the kept copy, its title area marked "离线" with the time it was
        // saved. The article table keeps the newest articles only, so the
        // article is first dropped from it as a prune would.
        {"offline-article",
         [](Tour& tour) {
             auto* online = new NewsInfo;
             online->param().setRid("50002");
             if (!pushOverHome(tour, online, [online] { return !online->newsDetail().empty(); }))
                 return false;
             DBConnection::statementWithQuery("DELETE FROM newsdetail WHERE id = 50002").step();
             std::string& host = serviceSettings().serviceHost;
             const std::string reachable = host;
             host = "http://127.0.0.1:1";  // nothing answers there
             auto* offline = new NewsInfo;
             offline->param().setRid("50002");
             const bool shown = pushOverHome(tour, offline, [offline] {
                 return qobject_cast<OfflineTitle*>(offline->navigationItem()->titleView()) &&
                        !offline->newsDetail().empty();
             });
             host = reachable;
             return shown;
         }},
        // The search over what was read: a project and a question about it
        // opened first, then both found by the project's name.
        {"local-search",
         [](Tour& tour) {
             auto* project = new ToveraDetail;
             project->setHid(1001);
             if (!pushOverHome(tour, project,
                               [project] { return !project->hf()->nameLbl()->text().isEmpty(); }))
                 return false;
             auto* question = new AskDetail;
             question->param().setRid("60001");
             if (!pushOverHome(tour, question, [question] { return !question->detail().empty(); }))
                 return false;
             auto* search = new LocalSearch;
             search->search(QStringLiteral("翠湖名邸"));
             // The offline stop's toast has faded before the picture.
             return pushOverHome(tour, search, [search] {
                 return search->numberOfSectionsInTableView(search->tableView()) > 1 &&
                        platform::ui::Toast::visible().isEmpty();
             });
         }},
        homeStop("home-blue", "default"),
        homeStop("home-black", "black"),
    };
    return stops;
}

}  // namespace tovera::app
