#!/usr/bin/env python3
"""Writes the demo portal's seed, resources/demo/seed.sql.

Deterministic: the same script always writes the same file. Times are
offsets in seconds from the moment the service seeds its database (negative:
the past), so lists look current whenever the seed is loaded. Picture names
refer to the files the picture generator (tovera-demo-pictures) draws.

usage: generate_seed.py [OUTPUT]   (default: resources/demo/seed.sql)
"""

import os
import random
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import seed_articles  # noqa: E402
import seed_community  # noqa: E402
import seed_property  # noqa: E402
import seed_questions  # noqa: E402
from seed_text import *  # noqa: E402,F401,F403

R = random.Random(20240501)
HOUR = 3600
DAY = 24 * HOUR

FACADES = ["facade_%02d.jpg" % i for i in range(1, 17)]
PLANS = ["plan_%02d.jpg" % i for i in range(1, 9)]
ROOMS = ["room_%02d.jpg" % i for i in range(1, 13)]
ARTICLE_PICS = ["article_%02d.jpg" % i for i in range(1, 11)]
AVATARS = ["avatar_%02d.jpg" % i for i in range(1, 21)]
ACTIVITY_PICS = ["activity_%02d.jpg" % i for i in range(1, 7)]

sql = []


def q(value):
    if isinstance(value, int):
        return str(value)
    return "'" + str(value).replace("'", "''") + "'"


def insert(table, columns, rows):
    for start in range(0, len(rows), 100):
        chunk = rows[start:start + 100]
        sql.append("INSERT INTO %s(%s) VALUES\n%s;" % (
            table, ", ".join(columns),
            ",\n".join("(" + ", ".join(q(v) for v in row) + ")" for row in chunk)))


def past(max_days, min_days=0):
    """A time offset between min_days and max_days ago."""
    return -R.randint(min_days * DAY, max_days * DAY - 1)


def near(center, spread):
    return "%.6f" % (float(center) + R.uniform(-spread, spread))


# ---------------------------------------------------------------- cities
city_rows, district_rows = [], []
CITY = {}
for cid, name, lat, lon, code, districts, areas in CITIES:
    CITY[cid] = dict(name=name, lat=lat, lon=lon, code=code, districts=[], areas=[])
    city_rows.append((cid, name, lat, lon))
    for k, dname in enumerate(districts, 1):
        did = (cid - 3400) * 100 + k
        district_rows.append((did, cid, 2, dname))
        CITY[cid]["districts"].append((did, dname))
    for k, aname in enumerate(areas, 1):
        aid = (cid - 3400) * 100 + 50 + k
        district_rows.append((aid, cid, 1, aname))
        CITY[cid]["areas"].append((aid, aname))
insert("city", ["id", "name", "lat", "lon"], city_rows)
insert("district", ["id", "cityid", "kind", "name"], district_rows)
CITY_IDS = [c[0] for c in CITIES]

# ---------------------------------------------------------------- projects
used_names = set()


def project_name():
    while True:
        name = R.choice(NAME_HEADS) + R.choice(NAME_TAILS)
        if name not in used_names:
            used_names.add(name)
            return name


def estate_name():
    """The name of an older estate (not a project of the portal; may repeat)."""
    return R.choice(NAME_HEADS) + R.choice(["小区", "新村", "家园", "公寓"])


CONTEXT = dict(cities=CITY, insert=insert, past=past, project_name=project_name, estate_name=estate_name, roads=ROADS,
               companies=PROPERTY_COMPANIES, stations=STATIONS, facades=FACADES, plans=PLANS, rooms=ROOMS,
               surnames=SURNAMES, question_titles=QUESTION_TITLES, answer_texts=ANSWER_TEXTS)
projects = seed_property.make_projects(R, CONTEXT)
P3401 = [p for p in projects if p["cityid"] == 3401]
PROJECT = {p["id"]: p for p in projects}
listings = seed_property.make_listings(R, CONTEXT, projects)

# ---------------------------------------------------------------- users
users = []  # dicts
FIXED_USERS = [
    # id, name, password, completion, privacy, realname, gender, city
    (1, "demo", "demo1234", 85, 2, "张伟", "男", 3401),
    (2, "wangfang", "wang12345", 70, 1, "王芳", "女", 3401),
    (3, "李华", "lihua123", 65, 0, "李华", "男", 3401),
    (4, "newbie", "newbie123", 20, 1, "", "", 3401),
    (5, "zhaolei", "zhao12345", 40, 2, "赵磊", "男", 3401),
    (6, "spammer", "spam12345", 10, 2, "", "保密", 3401),
]
for uid in range(1, 41):
    if uid <= 6:
        _, name, password, completion, privacy, realname, gender, city = FIXED_USERS[uid - 1]
    else:
        name = LOGIN_NAMES[uid - 7] if uid % 3 else R.choice(SURNAMES) + R.choice(GIVEN) + str(uid)
        password, completion, privacy = "123456", R.randint(10, 95), R.choice([0, 1, 1, 2, 2])
        realname = R.choice(SURNAMES) + R.choice(GIVEN)
        gender = R.choice(["男", "女", "保密"])
        city = 3401 if uid <= 31 else CITY_IDS[uid - 31]
    full = completion >= 60
    pref = "3401,3402" if uid == 1 else "" if uid == 4 else str(city) if full else ""
    users.append(dict(
        id=uid, username=name, password=password, realname=realname, gander=gender,
        age=str(R.randint(23, 58)) if realname else "", tel="138%08d" % (uid * 1000 + 1) if full else "",
        email="%s@example.com" % ("user%d" % uid) if full else "", qq=str(100000 + uid * 7) if full else "",
        point=str(R.randint(0, 3000)), photo=AVATARS[(uid - 1) % len(AVATARS)] if uid != 4 else "",
        privacy=privacy, completion=str(completion),
        birth="%d-%02d-%02d" % (R.randint(1966, 2000), R.randint(1, 12), R.randint(1, 28)) if full else "",
        edu=R.choice(EDU) if full else "", trade=R.choice(TRADES) if full else "",
        family=str(R.randint(1, 5)) if full else "", income=str(R.randint(5, 40)) if full else "",
        family_income=str(R.randint(10, 80)) if full else "",
        address="%s%s%d号" % (CITY[city]["name"], R.choice(ROADS), R.randint(1, 300)) if full else "",
        pref_cities=pref, want_size=str(R.choice([90, 110, 120, 140])) if full else "",
        want_price=str(R.randrange(8000, 20000, 500)) if full else "",
        flat="%d,%d,%d" % (R.randint(2, 4), R.randint(1, 2), R.randint(1, 2)) if full else "",
        type=("住宅" if uid == 1 else R.choice(CLASSIC[1:])) if full else "", buystate=R.choice(BUYSTATE) if full else "",
        lat=near(CITY[city]["lat"], 0.05) if uid != 4 else "", lon=near(CITY[city]["lon"], 0.05) if uid != 4 else "",
        city=city, at=past(400, 30)))
USER = {u["id"]: u for u in users}
insert("user", ["id", "username", "salt", "pwhash", "pwvalue", "realname", "gander", "age", "tel", "email",
                "qq", "point", "photo", "privacy", "completion", "birth", "edu", "trade", "family",
                "income", "family_income", "address", "pref_cities", "want_size", "want_price", "flat",
                "type", "buystate", "lat", "lon", "created_at"],
       [(u["id"], u["username"], "", "", "", u["realname"], u["gander"], u["age"], u["tel"], u["email"],
         u["qq"], u["point"], u["photo"], u["privacy"], u["completion"], u["birth"], u["edu"], u["trade"],
         u["family"], u["income"], u["family_income"], u["address"], u["pref_cities"], u["want_size"],
         u["want_price"], u["flat"], u["type"], u["buystate"], u["lat"], u["lon"], u["at"]) for u in users])
insert("seed_password", ["uid", "password"], [(u["id"], u["password"]) for u in users])

# friend groups and friends
group_rows = []
for u in users:
    group_rows += [(u["id"], 1, "默认分组"), (u["id"], 2, "黑名单")]
group_rows += [(1, 3, "同事"), (7, 3, "家人"), (12, 3, "同学"), (12, 4, "邻居")]
insert("friend_group", ["uid", "gid", "name"], group_rows)

friends = {}  # (uid, friend) -> [gid, remark, shield]


def befriend(a, b, gid_a=1, gid_b=1):
    friends.setdefault((a, b), [gid_a, "", 0])
    friends.setdefault((b, a), [gid_b, "", 0])


befriend(1, 2)
befriend(1, 3)
befriend(1, 7)
befriend(1, 8)
befriend(1, 9, 3, 1)
friends[(1, 6)] = [2, "", 0]  # blacklist
friends[(1, 8)][2] = 1  # shielded
friends[(1, 2)][1] = "芳姐"
friends[(7, 10)] = [3, "表哥", 0]
friends[(10, 7)] = [1, "", 0]
for uid in range(7, 41):
    for other in R.sample(range(7, 41), R.randint(1, 4)):
        if other != uid:
            befriend(uid, other)
insert("friend", ["uid", "friend", "gid", "remark", "shield", "created_at"],
       [(a, b, v[0], v[1], v[2], past(300, 2)) for (a, b), v in sorted(friends.items())])

# follows, subscriptions, purchase records
follow_rows = {(1, 1001), (1, 1002), (1, 1003), (1, 1005), (1, 1030)}
for uid in range(7, 41):
    for p in R.sample(projects, R.randint(0, 3)):
        follow_rows.add((uid, p["id"]))
insert("follow", ["uid", "project", "created_at"], [(a, b, past(90)) for a, b in sorted(follow_rows)])
sub_rows = {(1, 1), (1, 3), (1, 5), (2, 1), (2, 2), (3, 4)}
for uid in range(7, 41):
    for c in R.sample(range(1, 9), R.randint(0, 3)):
        sub_rows.add((uid, c))
insert("subscription", ["uid", "cid", "created_at"], [(a, b, past(120)) for a, b in sorted(sub_rows)])
purchase_rows = []
purchase_id = 100001


def purchase(uid, hid, state):
    global purchase_id
    phase, building = R.choice(PROJECT[hid]["buildings"])
    purchase_rows.append((purchase_id, uid, state, hid, phase, building, str(R.randint(1, 4)),
                          str(R.randint(1, 30) * 100 + R.randint(1, 4)), past(200)))
    purchase_id += 1


purchase(1, 1001, "已签约")
purchase(1, 1003, "意向购买")
for uid in range(7, 26):
    purchase(uid, R.choice([1001, 1001, 1002, 1004]), R.choice(BUYSTATE))
insert("purchase", ["id", "uid", "state", "hid", "lid", "bid", "unit", "num", "created_at"], purchase_rows)

# ---------------------------------------------------------------- news
insert("news_category", ["id", "name", "position", "base_num"],
       [(i, name, i, R.randint(120, 3000)) for i, name in enumerate(CATEGORIES, 1)])


def fill(template, cid, project):
    city = CITY.get(cid, CITY[3401])
    return template.format(city=city["name"] if cid else "全省", m=R.randint(1, 12), n=R.randint(120, 2400),
                           p=R.randint(2, 35), k=R.randint(3, 9), price=R.randrange(6000, 24000, 100),
                           d=project["dname"], proj=project["name"], sz=R.choice(project["sizes"]),
                           road=R.choice(ROADS), station=project["station"])


articles = []
titles = set()
aid = 50001
plan = [(3401, 60)] + [(cid, 8) for cid in CITY_IDS[1:]] + [(0, 10)]
for cid, count in plan:
    for i in range(count):
        category = 1 if (cid == 3401 and i < 25) else R.randint(1, 8)
        catname = CATEGORIES[category - 1]
        pool = [p for p in projects if p["cityid"] == cid] or P3401
        project = R.choice(pool)
        about = len([a for a in articles if a["hid"]])
        if cid == 3401 and i % 5 == 2 and about < 12:
            project = P3401[about % 4]  # articles about the first projects (1001-1004)
        hid = project["id"] if (cid == 3401 and i % 5 == 2 and about < 12) else 0
        title = fill(R.choice(seed_articles.TITLES[catname]), cid, project)
        while title in titles:
            title += "（续）"
        titles.add(title)
        paragraphs = [fill(t, cid, project) for t in seed_articles.PARAGRAPHS[catname]]
        with_picture = i % 10 < 7
        picture = ARTICLE_PICS[(aid - 50001) % len(ARTICLE_PICS)] if with_picture else ""
        table = None
        if i % 5 in (1, 3):
            table = [[p["name"], p["dname"], str(p["price"]) if p["price"] else "一房一价",
                      "、".join("%d㎡" % s for s in p["sizes"][:2])] for p in R.sample(pool, min(4, len(pool)))]
        articles.append(dict(id=aid, cid=category, cityid=cid, hid=hid, title=title, lead=paragraphs[0][:40],
                             summary=paragraphs[0][:60], source=R.choice(ARTICLE_SOURCES), picture=picture,
                             paragraphs=paragraphs, table=table, link=None, at=past(90)))
        aid += 1
# Encoding cases: markup and percent characters in a title; a link to a picture.
articles[3]["title"] = "房价涨幅<5%的城市名单出炉 {city}在列".format(city="合肥")
articles[3]["cid"] = 1
articles[4]["link"] = "article_02.jpg"
articles[0]["at"] = -2 * HOUR  # the newest article has the most comments
article_rows = []
for a in articles:
    html = seed_articles.body(a["paragraphs"], a["picture"], a["table"], a["link"])
    article_rows.append((a["id"], a["cid"], a["cityid"], a["hid"], a["title"], a["lead"], a["summary"],
                         a["source"], html, a["picture"], a["picture"], a["at"]))
insert("article", ["id", "cid", "cityid", "hid", "title", "lead", "summary", "source", "body", "pic",
                   "images", "created_at"], article_rows)

# ---------------------------------------------------------------- activities
activities = []
act_id = 40001
for cid in CITY_IDS:
    current, ended = (12, 8) if cid == 3401 else (1, 1)
    for i in range(current + ended):
        project = R.choice([p for p in projects if p["cityid"] == cid])
        name = R.choice(["%s看房团 第%d期" % (project["dname"], R.randint(1, 40)),
                         "%s样板间开放日" % project["name"], "家装建材团购会（%s站）" % CITY[cid]["name"],
                         "%s业主联谊会" % project["name"], "%s购房讲座" % CITY[cid]["name"]])
        deadline = R.randint(1, 40) * DAY if i < current else -R.randint(1, 90) * DAY
        text = "" if i == 2 else ("<p>活动时间：报名截止后三天内。</p><p>集合地点：%s。</p>"
                                  "<p><img src=\"{pic}%s\" width=\"300\"/></p><p>报名即送看房专车接送服务。</p>"
                                  % (project["selladdress"], ACTIVITY_PICS[i % len(ACTIVITY_PICS)]))
        tel = "" if i % 4 == 3 else "%s-6%d" % (CITY[cid]["code"], R.randint(5550000, 5559999))
        created = past(30, 1) if i < current else deadline - R.randint(10, 30) * DAY
        activities.append((act_id, cid, name, deadline, tel, text, ACTIVITY_PICS[i % len(ACTIVITY_PICS)],
                           R.randint(0, 120), created))
        act_id += 1
insert("activity", ["id", "cityid", "name", "deadline", "tel", "text", "pic", "joins", "created_at"], activities)

# ---------------------------------------------------------------- live rooms
live_id = 80001
room_rows, live_rows, discussion_rows = [], [], []
rooms = []
discussion_id = 88001
for cid in CITY_IDS:
    count = 10 if cid == 3401 else 1
    for i in range(count):
        owner = 1 if (cid == 3401 and i in (0, 6)) else R.choice([u["id"] for u in users if u["city"] == cid] or [7])
        project = R.choice([p for p in projects if p["cityid"] == cid])
        isend = 1 if (i < 6 or cid != 3401) else 2
        room_at = past(20, 1)
        room = dict(id=live_id, cityid=cid, uid=owner, title="%s开盘现场直播" % project["name"], at=room_at)
        room_rows.append((live_id, cid, owner, room["title"], R.choice(FACADES), isend, room_at))
        rooms.append(room)
        live_id += 1
        room["messages"] = []
        for k in range(R.randint(5, 20)):
            images = "|".join(R.sample(ROOMS, R.randint(1, 2))) if k % 4 == 1 else ""
            live_rows.append((live_id, room["id"], R.choice(LIVE_MESSAGES), images, room_at + (k + 1) * 600))
            room["messages"].append(live_id)
            live_id += 1
        posts = 12 if (cid == 3401 and i == 0) else R.randint(0, 25) if cid == 3401 else R.randint(0, 3)
        for k in range(posts):
            discussion_rows.append((discussion_id, room["id"], R.randint(1, 40), R.choice(DISCUSSIONS),
                                    R.choice(ROOMS) if k % 6 == 2 else "", room_at + (k + 1) * 420))
            discussion_id += 1
insert("live_room", ["id", "cityid", "uid", "title", "picture", "isend", "created_at"], room_rows)
insert("live_message", ["id", "room", "message", "images", "created_at"], live_rows)
insert("discussion", ["id", "room", "uid", "content", "picture", "created_at"], discussion_rows)

# ---------------------------------------------------------------- topics
comment_id = 70001
topics = []
for cid in CITY_IDS:
    for i in range(25 if cid == 3401 else 3):
        owner = 1 if (cid == 3401 and i in (1, 4, 9)) else R.choice(
            [u["id"] for u in users if u["city"] == cid] or [7])
        topics.append(dict(id=comment_id, cityid=cid, uid=owner, text=R.choice(TOPIC_TEXTS),
                           image=R.choice(ROOMS + FACADES) if i % 3 == 0 else "", at=past(40, 1), repr=None))
        comment_id += 1
for k, topic in enumerate([t for t in topics if t["cityid"] == 3401][10:15]):  # five reposts
    source = topics[k]
    topic["repr"] = source
    topic["text"] = "转发：" + R.choice(["说得太对了", "值得一看", "收藏了，慢慢看", "同感[Face2]", "分享给大家"])
    topic["at"] = max(topic["at"], source["at"] + HOUR)

comments = []  # rows in table order


def comment(ptype, target, anchor, root, city, text, at, parent=0, image="", uid=None):
    global comment_id
    if uid is None:
        uid = 0 if R.random() < 0.2 else R.randint(1, 40)
    user = USER[uid]["username"] if uid else "网友"
    row = dict(id=comment_id, ptype=ptype, target=target, anchor=anchor, root=root, parent=parent, uid=uid,
               user=user, cityid=city, text=text, image=image, agree=R.randint(0, 30), disagree=R.randint(0, 8),
               at=at)
    comments.append(row)
    comment_id += 1
    return row


def when(recent):
    return past(7) if recent else past(60, 8)


recent_budget = [32]


def is_recent():
    if recent_budget[0] > 0 and R.random() < 0.18:
        recent_budget[0] -= 1
        return True
    return False


# topic replies (ptype 5) and comments on them (ptype 7)
for n, topic in enumerate(topics):
    replies = 12 if n == 0 else R.randint(0, 6) if topic["cityid"] == 3401 else R.randint(0, 1)
    for k in range(replies):
        reply = comment(5, topic["id"], (5, topic["id"]), (5, topic["id"]), topic["cityid"],
                        R.choice(COMMENT_TEXTS + REPLY_TEXTS), topic["at"] + (k + 1) * 1800,
                        image=R.choice(ROOMS) if k % 5 == 3 else "", uid=R.randint(1, 40))
        if k % 4 == 0:
            comment(7, reply["id"], (7, reply["id"]), (5, topic["id"]), topic["cityid"], R.choice(REPLY_TEXTS),
                    reply["at"] + 900)
# articles: the first one has 14 comments; then a few on many others
for a in articles:
    if a["id"] == articles[0]["id"]:
        count = 14
    elif a["cityid"] == 3401:
        count = R.choice([0, 0, 1, 1, 2, 3, 4])
    else:
        count = R.choice([0, 0, 1])
    for k in range(count):
        recent = a["id"] == articles[0]["id"] or is_recent()
        at = min(a["at"] + R.randint(600, 5 * DAY), -60) if recent or a["at"] > -7 * DAY else when(False)
        comment(1, a["id"], (1, a["id"]), (1, a["id"]), a["cityid"] or 3401, R.choice(COMMENT_TEXTS), at)
# projects, activities, live rooms and messages
for p in projects:
    count = R.choice([0, 1, 2, 3]) if p["cityid"] == 3401 else R.choice([0, 1])
    for k in range(4 if p["id"] == 1001 else count):
        comment(2, p["id"], (2, p["id"]), (2, p["id"]), p["cityid"], R.choice(COMMENT_TEXTS), when(is_recent()))
for act in activities:
    if act[1] == 3401 and R.random() < 0.6:
        comment(3, act[0], (3, act[0]), (3, act[0]), act[1], R.choice(COMMENT_TEXTS), when(is_recent()))
for room in rooms:
    comment(4, room["id"], (4, room["id"]), (4, room["id"]), room["cityid"], R.choice(COMMENT_TEXTS),
            room["at"] + 1200)
    for message in room["messages"][:R.randint(0, 3)]:
        comment(4, message, (4, message), (4, room["id"]), room["cityid"], R.choice(REPLY_TEXTS), room["at"] + 2400)
# replies to comments (ptype 6), listed under the parent's object
for parent in [c for c in comments if c["ptype"] in (1, 2, 3)][::6]:
    comment(6, parent["id"], parent["anchor"], parent["root"], parent["cityid"], R.choice(REPLY_TEXTS),
            min(parent["at"] + 3 * HOUR, -30), parent=parent["id"])
# the demo user's own comments
for c in R.sample([c for c in comments if c["ptype"] == 1], 6):
    c["uid"], c["user"] = 1, "demo"

insert("topic", ["id", "cityid", "uid", "text", "image", "repr_id", "repr_title", "repr_image", "repr_uid",
                 "repr_user", "repr_comment", "repr_at", "created_at"],
       [(t["id"], t["cityid"], t["uid"], t["text"], t["image"],
         t["repr"]["id"] if t["repr"] else 0, t["repr"]["text"] if t["repr"] else "",
         t["repr"]["image"] if t["repr"] else "", t["repr"]["uid"] if t["repr"] else 0,
         USER[t["repr"]["uid"]]["username"] if t["repr"] else "",
         sum(1 for c in comments if c["ptype"] == 5 and c["target"] == t["repr"]["id"]) if t["repr"] else 0,
         t["repr"]["at"] if t["repr"] else 0, t["at"]) for t in topics])

# votes of the demo user (a second vote is refused)
vote_rows = []
for c in R.sample(comments, 10):
    agree = R.random() < 0.8
    vote_rows.append((c["id"], "u1", 1 if agree else 0, min(c["at"] + HOUR, -10)))
    if agree:
        c["agree"] += 1
    else:
        c["disagree"] += 1
insert("comment", ["id", "ptype", "target", "anchor_kind", "anchor_id", "root_kind", "root_id", "parent", "uid",
                   "user", "cityid", "text", "image", "agree", "disagree", "created_at"],
       [(c["id"], c["ptype"], c["target"], c["anchor"][0], c["anchor"][1], c["root"][0], c["root"][1],
         c["parent"], c["uid"], c["user"], c["cityid"], c["text"], c["image"], c["agree"], c["disagree"],
         c["at"]) for c in comments])
insert("vote", ["comment", "voter", "agree", "created_at"], vote_rows)

# ---------------------------------------------------------------- questions
seed_questions.make_questions(R, CONTEXT, projects, [u["id"] for u in users])

# ---------------------------------------------------------------- messages
message_rows = []
message_id = 95001


def message(owner, box, sender, recipient, catname, title, text, at, kind=0, tid=0):
    global message_id
    message_rows.append((message_id, owner, box, sender, recipient, catname, title, text, kind, tid, at))
    message_id += 1


def letter(sender, recipient, title, text, at):
    """A user message: the recipient's inbox copy and the sender's sent copy."""
    message(recipient, 1, sender, recipient, 4, title, text, at)
    message(sender, 2, sender, recipient, 4, title, text, at)


message(1, 1, 0, 1, 1, "欢迎加入", "欢迎您注册成为本站会员，完善置业信息可获得更精准的推荐。", past(300, 200))
message(1, 1, 0, 1, 1, "您的咨询有了新回答", "您关注的咨询有了新的回答，快去看看吧。", past(5, 1))
message(1, 1, 5, 1, 3, "好友请求", "zhaolei请求添加您为好友", past(2))
recommendations = [(2, 1, PROJECT[1002]["name"], 1002), (3, 2, articles[1]["title"], articles[1]["id"]),
                   (2, 3, listings[1][0]["title"], listings[1][0]["id"]),
                   (3, 4, listings[2][0]["title"], listings[2][0]["id"])]
for sender, kind, title, tid in recommendations:
    message(1, 1, sender, 1, 2, title, "%s向您推荐了%s" % (USER[sender]["username"], title), past(10), kind, tid)
letter(2, 1, "周末看房", "周六一起去滨湖那边看看新盘吗？", past(3))
letter(3, 1, "装修公司", "你家用的哪家装修公司？效果不错。", past(6))
letter(7, 1, "团购", "楼盘团购名额还有两个，要不要一起？", past(12, 2))
letter(6, 1, "低价房源", "内部低价房源，加微信了解！", past(1))  # blacklisted sender: never shown
letter(1, 2, "回复:周末看房", "好的，周六上午九点小区门口见。", past(2))
letter(1, 3, "回复:装修公司", "是朋友介绍的，回头把电话发你。", past(5))
letter(1, 7, "团购", "算我一个，谢谢！", past(11, 2))
for uid in range(7, 41, 3):
    message(uid, 1, 0, uid, 1, "欢迎加入", "欢迎您注册成为本站会员。", past(300, 100))
insert("message", ["id", "owner", "box", "sender", "recipient", "catname", "title", "text", "type", "tid",
                   "created_at"], message_rows)

# ---------------------------------------------------------------- versions
insert("version", ["platform", "code", "version", "url"],
       [("ios", "100", "1.0.0", "http://127.0.0.1/app/ios"),
        ("android", "100", "1.0.0", "http://127.0.0.1/app/android")])

seed_community.add(globals())

if __name__ == "__main__":
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "resources", "demo", "seed.sql")
    os.makedirs(os.path.dirname(output), exist_ok=True)
    with open(output, "w", encoding="utf-8", newline="\n") as f:
        f.write("-- Demo portal seed, written by service/seed/generate_seed.py; do not edit.\n")
        f.write("-- Times are offsets in seconds from the seeding moment.\n")
        f.write("\n".join(sql) + "\n")
    print("wrote %s (%d statements, %d comments, %d articles)" % (output, len(sql), len(comments), len(articles)))
