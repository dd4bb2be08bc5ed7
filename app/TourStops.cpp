// The stops of the tour, one per screen, in walking order. A new screen adds
// an entry that brings it up from wherever the previous stop left the app.
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
#include "framework/ButtonItem.h"
#include "framework/ButtonsView.h"
#include "framework/ImageLoader.h"
#include "framework/JVPickView.h"
#include "framework/NetImageView.h"
#include "framework/PhotoPreview.h"
#include "news/MyNews.h"
#include "news/NetComment.h"
#include "news/News.h"
#include "news/NewsInfo.h"
#include "news/NewsList.h"
#include "news/NewsSearch.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/TabBar.h"
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
#include "property/HousePreview.h"
#include "property/HouseSearch.h"
#include "property/HouseSupportView.h"
#include "property/HouseTableView.h"
#include "property/IntroView.h"
#include "property/LabelButton.h"
#include "property/MenuIcons.h"
#include "property/Saleinfo.h"
#include "property/SellList.h"
#include "property/Tovera.h"
#include "property/ToveraDetail.h"
#include "property/ToveraList.h"

namespace tovera::app {

namespace {

// The home screen, back on top with nothing presented over it.
Tovera* homeOnTop(Tour& tour) {
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
// pressed, once the page's text is laid out.
TourStop projectPageStop(const char* name, ToveraDetail::Page page) {
    return {name, [page](Tour& tour) {
                auto* detail = new ToveraDetail;
                detail->setHid(1001);
                if (!pushOverHome(tour, detail,
                                  [detail] { return !detail->hf()->nameLbl()->text().isEmpty(); }))
                    return false;
                auto* button =
                    qobject_cast<platform::ui::Button*>(detail->btnView()->subviews().value(page));
                if (!button) return false;
                detail->btnPressed(button);
                return tour.waitFor([detail] {
                    auto* web = qobject_cast<ProjectWebPage*>(detail->currentPage());
                    return web && !web->webView()->visibleText().isEmpty() &&
                           !web->webView()->isLoading();
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
        {"home",
         [](Tour& tour) {
             Tovera* home = homeOnTop(tour);
             if (!home) return false;
             home->tabBar()->chooseItem(0);
             if (!tour.waitFor([home] {
                     return !home->dataArray().empty() && home->tableView()->isVisible();
                 }))
                 return false;
             // The first row's picture, when it comes soon.
             const QImage placeholder = ImageLoader::noPicture().toImage();
             tour.waitFor(
                 [home, placeholder] {
                     auto* cell =
                         qobject_cast<HomeCell*>(home->tableView()->cellForRowAtIndexPath({0, 0}));
                     return cell && cell->iconView()->image().toImage() != placeholder;
                 },
                 std::chrono::seconds(5));
             return true;
         }},
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
        projectPageStop("project-introduction", ToveraDetail::kIntro),
        projectPageStop("project-transport", ToveraDetail::kSupport),
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
    };
    return stops;
}

}  // namespace tovera::app
