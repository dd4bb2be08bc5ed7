"""New-build projects (units with floor plans, galleries, sale news, bus
lines, surroundings, phases and buildings) and second-hand and rental
listings of the demo seed.

Every city gets enough of each kind that every filter row of the
configuration lists ("pricelist", "classic", "housetype", "square",
"saleprice", "rentprice", "source") finds something, and positions spread
over the city's districts so that the map shows pins all over it.
"""

import math

CLASSIC = ["不限", "住宅", "公寓", "别墅", "商铺", "写字楼"]
GALLERY = ["", "效果图", "实景图", "样板间", "户型图", "交通图", "配套图"]
CHINESE_DIGITS = "零一二三四五六七八九"

# Average prices (yuan per square metre) covering every "pricelist" band.
PRICE_BANDS = [(5500, 7900), (8000, 9900), (10000, 11900), (12000, 14900), (15000, 19900),
               (20000, 28000)]
# Unit classes: (rooms, halls, bathrooms, smallest, largest area).
LAYOUTS = {1: (1, 1, 1, 38, 58), 2: (2, 1, 1, 62, 89), 3: (3, 2, 1, 88, 128),
           4: (4, 2, 2, 118, 152), 5: (5, 2, 3, 145, 230)}
CLASS_ROOMS = {"住宅": [1, 2, 3, 4, 5], "公寓": [1, 2], "别墅": [4, 5], "商铺": [0], "写字楼": [0]}

SCHOOLS = ["实验小学", "第一中学", "外国语学校", "师范附小", "育才幼儿园", "第八中学"]
HOSPITALS = ["市第一人民医院", "中医院", "妇幼保健院", "社区卫生服务中心", "口腔医院"]
SHOPS = ["万达广场", "银泰城", "大润发超市", "华润万家", "永辉超市", "新华书店"]
PARKS = ["湿地公园", "滨河公园", "植物园", "体育公园", "市民广场"]
BANKS = ["工商银行", "建设银行", "农业银行", "中国银行", "邮储银行"]
FOOD = ["美食街", "农贸市场", "餐饮步行街", "夜市"]


def district_centres(R, city):
    """Spreads a city's districts on a ring around its centre (degrees)."""
    lat, lon = float(city["lat"]), float(city["lon"])
    count = len(city["districts"])
    turn = R.uniform(0, 2 * math.pi)
    centres = {}
    for k, (did, _) in enumerate(city["districts"]):
        radius = 0.012 if k == 0 else R.uniform(0.04, 0.075)
        angle = turn + 2 * math.pi * k / count
        centres[did] = (lat + radius * math.sin(angle), lon + radius * math.cos(angle))
    return centres


def position(R, centre, spread=0.018):
    return "%.6f" % (centre[0] + R.uniform(-spread, spread)), "%.6f" % (centre[1] + R.uniform(-spread, spread))


def surroundings(R, name):
    """Facilities of every kind, as plain text (the client builds markup around it)."""
    pick = lambda pool, n: "、".join(R.sample(pool, n))  # noqa: E731
    return ("教育：%s；医疗：%s；购物：%s；休闲：%s；银行：%s；餐饮：%s。%s距最近的公交站约%d米。" % (
        pick(SCHOOLS, 2), pick(HOSPITALS, 2), pick(SHOPS, 2), pick(PARKS, 1), pick(BANKS, 2),
        pick(FOOD, 1), name, R.randrange(150, 900, 50)))


def unit_rows(R, p, plans):
    """The units on sale: names A, B, ...; rooms by class; each with a floor plan."""
    units = []
    choices = CLASS_ROOMS[p["catname"]]
    count = R.randint(3, 6)
    rooms = sorted((choices * 3)[:count]) if len(choices) < count else sorted(R.sample(choices, min(count, len(choices))))
    for n, r in enumerate(rooms):
        if r:
            _, halls, baths, low, high = LAYOUTS[r]
        else:
            halls, baths, low, high = 0, 1, 30, 260
        size = R.randint(low, high)
        units.append(dict(name="%s户型" % chr(ord("A") + n), rooms=r, halls=halls, baths=baths, size=size,
                          plan=plans[(p["id"] + n) % len(plans)], remaining=R.randint(0, 40)))
    return units


def unit_caption(u):
    if not u["rooms"]:
        return "%s 约%d平方米" % (u["name"], u["size"])
    return "%s %s室%s厅%s卫 约%d平方米" % (u["name"], CHINESE_DIGITS[u["rooms"]], CHINESE_DIGITS[u["halls"]],
                                    CHINESE_DIGITS[u["baths"]], u["size"])


def intro_html(R, p):
    rows = "".join("<tr><td>%s</td><td>%s</td><td>%d</td></tr>" % (
        u["name"], "%d室%d厅%d卫" % (u["rooms"], u["halls"], u["baths"]) if u["rooms"] else "开间",
        u["size"]) for u in p["units"])
    return ("<p>%s位于%s，由%s提供物业服务，规划%d栋，主力户型%s平方米。</p>"
            "<p><img src=\"{pic}%s\" width=\"300\"/></p>"
            "<p>在售户型：</p><table border=\"1\"><tr><th>户型</th><th>格局</th><th>面积(平方米)</th></tr>%s</table>"
            "<p>%s</p>" % (p["name"], p["address"], p["property"], R.randint(6, 20),
                           "、".join(str(u["size"]) for u in p["units"][:3]), p["pic"], rows, p["supporting"]))


SALE_TEXTS = ["{p}本周六开放样板间，到场即送精美礼品。", "{p}二期{b}号楼加推，主力户型{s}平方米。",
              "{p}认筹进行中，认筹客户享额外优惠。", "{p}工程进度：{b}号楼主体封顶。",
              "{p}本月签约客户可享九八折优惠。", "{p}{u}在售，剩余{n}套。"]


def make_projects(R, ctx):
    """Projects of every city; writes their tables and returns them as dicts."""
    cities, insert, past = ctx["cities"], ctx["insert"], ctx["past"]
    projects = []
    pid = 1001
    for cid, city in cities.items():
        count, recommended = (30, 13) if cid == 3401 else (25, 6)
        centres = district_centres(R, city)
        band_order = [k % len(PRICE_BANDS) for k in range(count)]
        R.shuffle(band_order)
        for i in range(count):
            did, dname = city["districts"][i % len(city["districts"])]
            low, high = PRICE_BANDS[band_order[i]]
            catname = CLASSIC[1 + (i % 10 - 5)] if i % 10 >= 6 else "住宅"
            lat, lon = position(R, centres[did])
            name = ctx["project_name"]()
            p = dict(id=pid, cityid=cid, district=did, dname=dname, name=name, catname=catname, state=i % 4,
                     price=R.randrange(low, high, 100), address="%s%s%d号" % (dname, R.choice(ctx["roads"]), R.randint(1, 999)),
                     tel="%s-6%d" % (city["code"], R.randint(5550000, 5559999)),
                     property=R.choice(ctx["companies"]), lat=lat, lon=lon,
                     pic=ctx["facades"][(pid - 1001) % len(ctx["facades"])],
                     recommended=1 if i < recommended else 0, base_focus=R.randint(20, 600),
                     station=R.choice(ctx["stations"]), at=past(200, 1))
            p["supporting"] = surroundings(R, name)
            p["selladdress"] = "项目现场售楼处（%s）" % p["address"]
            p["units"] = unit_rows(R, p, ctx["plans"])
            p["sizes"] = [u["size"] for u in p["units"]]
            if i == 5:
                p["price"] = 0  # 一房一价
            projects.append(p)
            pid += 1
    first = [p for p in projects if p["cityid"] == 3401]
    first[7]["lat"] = first[7]["lon"] = ""  # no map: disabled address button, geocoding
    first[2]["tel"] = "0551-65551234 转 8001"
    write_projects(R, ctx, projects)
    return projects


def write_projects(R, ctx, projects):
    insert, past = ctx["insert"], ctx["past"]
    project_rows, unit_table, bus_rows, phase_rows, building_rows = [], [], [], [], []
    gallery_rows, picture_rows, sale_rows = [], [], []
    unit_id, phase_id, building_id, picture_id, sale_id = 1, 3001, 5001, 92001, 90001
    for n, p in enumerate(projects):
        big = p["cityid"] == 3401
        project_rows.append((p["id"], p["cityid"], p["district"], p["name"], p["catname"], p["state"], p["price"],
                             p["address"], p["tel"], p["property"], p["selladdress"], p["lon"], p["lat"], p["pic"],
                             p["recommended"], p["base_focus"], ",".join(sorted({str(u["rooms"]) for u in p["units"]})),
                             ",".join(str(s) for s in p["sizes"]), intro_html(R, p), p["station"], p["supporting"],
                             p["at"]))
        for u in p["units"]:
            unit_table.append((unit_id, p["id"], u["name"], u["rooms"], u["halls"], u["baths"], u["size"], u["plan"],
                               u["remaining"]))
            unit_id += 1
        for _ in range(R.randint(2, 4)):
            bus_rows.append((p["id"], "%d路" % R.randint(1, 160),
                             "火车站—%s—%s" % (p["station"][:-1], R.choice(ctx["roads"]))))
        p["buildings"] = []
        for ph in range(R.randint(1, 3)):
            phase_rows.append((phase_id, p["id"], ["一期", "二期", "三期"][ph]))
            for b in range(1, R.randint(3, 8) + 1):
                building_rows.append((building_id, phase_id, p["id"], str(b)))
                p["buildings"].append((phase_id, building_id))
                building_id += 1
            phase_id += 1
        # Effect and real pictures always (the detail's photo pager), floor plans
        # always (one per unit), two to three more categories.
        kinds = sorted({1, 2, 4} | set(R.sample([3, 5, 6], R.randint(1, 3) if big else R.randint(0, 2))))
        for k, kind in enumerate(kinds):
            untitled = k == 0 and n % 9 == 4
            title = "" if untitled else p["name"] + GALLERY[kind]
            gallery_rows.append((p["id"], kind, title))
            if kind == 4:
                shots = [(unit_caption(u), u["name"], u["plan"]) for u in p["units"]]
            else:
                pool = ctx["rooms"] if kind == 3 else ctx["facades"]
                shots = [("%s %d" % (title or "图片", j + 1), "图%d" % (j + 1), R.choice(pool))
                         for j in range(R.randint(2, 8) if big else R.randint(2, 5))]
            for caption, picname, file in shots:
                picture_rows.append((picture_id, p["id"], kind, caption, picname, file))
                picture_id += 1
        if p["id"] == 1001:
            news = 12
        elif p["id"] in (1004, 1006):
            news = 0
        else:
            news = R.randint(0, 15) if big else R.choice([0, 1, 2, 3, 4, 5])
        for k in range(news):
            u = R.choice(p["units"])
            text = R.choice(SALE_TEXTS).format(p=p["name"], b=R.randint(1, 9), s=u["size"], u=u["name"],
                                               n=max(u["remaining"], 1))
            sale_rows.append((sale_id, p["id"], text, past(60)))
            sale_id += 1
    insert("project", ["id", "cityid", "district", "name", "catname", "state", "price", "address", "tel",
                       "property", "selladdress", "lon", "lat", "pic", "recommended", "base_focus", "rooms", "sizes",
                       "intro", "station", "supporting", "created_at"], project_rows)
    insert("unit", ["id", "project", "name", "rooms", "halls", "baths", "size", "plan", "remaining"], unit_table)
    insert("project_bus", ["project", "busname", "busline"], bus_rows)
    insert("phase", ["id", "project", "name"], phase_rows)
    insert("building", ["id", "phase", "project", "name"], building_rows)
    insert("gallery", ["project", "type", "title"], gallery_rows)
    insert("picture", ["id", "project", "type", "title", "picname", "file"], picture_rows)
    insert("salenews", ["id", "project", "text", "created_at"], sale_rows)


# Second-hand prices in 10 000 yuan per square metre, rentals in yuan per
# square metre and month, by city size.
SALE_UNIT_PRICE = {3401: (0.85, 2.6)}
RENT_UNIT_PRICE = {3401: (18, 45)}


def make_listings(R, ctx, projects):
    """Second-hand (60) and rental (40) listings of every city; returns {kind: [dict]}."""
    cities, insert, past = ctx["cities"], ctx["insert"], ctx["past"]
    rows = []
    listings = {1: [], 2: []}
    ids = {1: 20001, 2: 30001}
    for cid, city in cities.items():
        centres = district_centres(R, city)
        city_projects = [p for p in projects if p["cityid"] == cid]
        for kind, count in ((1, 60), (2, 40)):
            for i in range(count):
                lid = ids[kind]
                ids[kind] += 1
                did, dname = city["districts"][i % len(city["districts"])]
                aid, aname = city["areas"][(i // len(city["districts"])) % len(city["areas"])]
                rooms = i % 5 + 1
                _, halls, baths, low, high = LAYOUTS[rooms]
                size = R.randint(low - 8, high + 8) if rooms > 1 else R.randint(25, 66)
                if kind == 1:
                    a, b = SALE_UNIT_PRICE.get(cid, (0.5, 1.3))
                    price = max(15, int(size * R.uniform(a, b)))
                    if i % 10 == 5:  # a one-room flat in an old estate
                        price = min(price, R.randint(30, 49))
                else:
                    a, b = RENT_UNIT_PRICE.get(cid, (12, 30))
                    price = max(500, int(size * R.uniform(a, b)) // 50 * 50)
                    if i % 10 == 7:  # a room in a shared flat
                        price = R.randrange(450, 800, 50)
                if i == 3:
                    price = 0  # 面议
                hid = city_projects[i % 4]["id"] if kind == 1 and i < 8 else 0
                estate = (next(p for p in projects if p["id"] == hid)["name"] if hid else
                          R.choice(city_projects)["name"] if R.random() < 0.6 else ctx["estate_name"]())
                unit = "%d室%d厅%d卫" % (rooms, halls, baths)
                face = R.choice(["南北", "南", "东南", "东西"])
                fitment = R.choice(["精装", "简装", "毛坯", "豪装"])
                if kind == 1:
                    title = "%s %s %s%s" % (estate, unit, fitment, R.choice(["满五唯一", "南北通透", "拎包入住", "急售", "学区房"]))
                else:
                    title = "%s %s %s出租" % (estate, unit, R.choice(["整租", "合租", "近地铁", "家电齐全"]))
                pictures = "" if i % 7 == 5 else "|".join(R.sample(ctx["rooms"], 2) + [R.choice(ctx["plans"])])
                floors = R.randint(6, 33)
                detail = "" if i % 9 == 4 else (
                    "<p>%s，%s装修，%s朝向，楼层%d/%d。</p><p>小区环境安静，物业管理规范，周边配套齐全。</p>"
                    % (unit, fitment, face, R.randint(1, floors), floors))
                lat, lon = position(R, centres[did]) if i % 10 != 6 else ("", "")
                rows.append((
                    lid, kind, cid, hid, title, estate, ["个人", "中介"][i % 2], unit, rooms, str(size), price, did,
                    aid, "%s，%s，%d平方米" % (aname, unit, size), 1 if i % 5 == 0 else 0, 1 if i % 6 == 1 else 0,
                    R.choice(["商品房", "商品房", "房改房", "经济适用房"]) if kind == 1 else "",
                    "" if kind == 1 else "合租" if i % 10 == 7 else R.choice(["整租", "合租"]),
                    "" if kind == 1 else R.choice(["押一付三", "押一付一", "半年付"]), str(R.choice([30, 60, 90])),
                    str(R.randint(1, floors)), face, R.choice(["住宅", "公寓"]), fitment, str(R.randint(1998, 2021)),
                    R.choice(["随时看房", "周末看房", "提前预约"]), "%s，%s装修" % (unit, fitment),
                    R.choice(["家电齐全", "有车位", "带储藏室", "拎包入住"]), "附近有公交%d路" % R.randint(1, 150),
                    R.choice(ctx["surnames"]) + R.choice(["先生", "女士"]), "139%08d" % R.randint(0, 99999999),
                    "%s%s%d号" % (dname, R.choice(ctx["roads"]), R.randint(1, 500)), lon, lat, detail, pictures,
                    past(45)))
                listings[kind].append(dict(id=lid, cityid=cid, title=title))
    insert("listing", ["id", "kind", "cityid", "hid", "title", "name", "source", "unit", "rooms", "size", "price",
                       "district", "community", "text", "recommand", "hot", "nature", "rent_method", "pay_method",
                       "effect", "floor", "face", "type", "fitment", "years", "lookhouse", "room", "support",
                       "traffic", "person", "tel", "address", "lon", "lat", "detail", "pictures", "created_at"], rows)
    return listings
