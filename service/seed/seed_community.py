"""Community additions to the demo seed: broadcast scripts of the rooms that
are live, more private messages, pending friend requests, blacklists,
purchase records and activity sign-ups.

generate_seed.py calls add(globals()) after writing its own tables, so this
module reads the generator's records (users, projects, rooms, ...) and ids
continue its sequences. It draws from its own random source, so its rows
stay the same when the generator's change.
"""

import random

R = random.Random(20240607)
MINUTE = 60
HOUR = 3600
DAY = 24 * HOUR

# Seconds between two lines of a broadcast: a client polling every 10 s
# sees a new line every other refresh.
LIVE_PACE = 20
BROADCAST_SPAN = 2 * HOUR

OWNER_LINES = [
    "现场已经有三百多组客户到场，签到处排起了长队",
    "本期推出两个新楼栋，主力户型建筑面积89和115平方米",
    "销售经理正在讲解付款方式：一次性付款九七折，按揭九八折",
    "选房区第一批号码已经叫到了第40号",
    "沙盘区人很多，大家可以先看看户型图",
    "现场抽出了今天第一位幸运客户，奖品是一年物业费",
    "样板间排队大约二十分钟，建议先去选房区",
    "目前已经成交八十六套，三号楼高层比较抢手",
    "午休时间现场提供免费简餐",
    "下午的政策解读会两点开始，欢迎留言提问",
]
OWNER_PICTURES = ["room_%02d.jpg" % i for i in range(1, 13)]
VIEWER_LINES = [
    "请问现在还能现场认筹吗？", "三号楼还有东边套吗？", "公积金贷款可以用吗？",
    "车位是现场一起买吗？价格多少？", "今天的优惠截止到什么时候？", "有没有一楼带院子的户型？",
    "刚到停车场，人确实很多", "选房要带什么证件？", "样板间是精装修交付的标准吗？",
    "期待直播继续[Face1]", "交房时间确定了吗？", "物业费每平方多少钱？",
    "学区是怎么划分的？", "已经选好了，五楼南北通透[Face4]", "楼间距大概多少米？",
]

LETTERS = [
    ("周末聚餐", "周六晚上小区门口的饭店聚一下？"),
    ("看房心得", "上周看了几个盘，整理了一份对比表，发你看看。"),
    ("物业问题", "我们楼的电梯又坏了，你那边有物业电话吗？"),
    ("车位转让", "我有一个地下车位想转让，有兴趣吗？"),
    ("装修推荐", "想找靠谱的装修队，你之前找的那家怎么样？"),
    ("贷款咨询", "你办的商贷还是公积金？利率多少？"),
    ("团购活动", "下周有个建材团购会，要不要一起报名？"),
    ("回复:看房心得", "谢谢！表格很有用，我周末再去实地看看。"),
]
SIGNUP_NAMES = ["王先生", "李女士", "张先生", "刘女士", "陈先生", "杨女士", "赵先生", "黄女士"]


def add(g):
    insert, sql = g["insert"], g["sql"]
    add_broadcasts(g, insert, sql)
    add_letters(g, insert)
    add_friend_requests_and_blacklists(g, insert)
    add_purchases(g, insert)
    add_signups(g, insert, sql)


def add_broadcasts(g, insert, sql):
    """One room per city is being broadcast: its owner's messages and the
    discussion so far fill the last two hours, and a script continues both."""
    room_rows, live_rows, discussion_rows = g["room_rows"], g["live_rows"], g["discussion_rows"]
    open_rooms = {row[0] for row in room_rows if row[5] == 1}
    script_rows, line_rows = [], []
    for cid in g["CITY_IDS"]:
        room = next((r for r in g["rooms"] if r["cityid"] == cid and r["id"] in open_rooms and r["uid"] != 1),
                    None)
        if room is None:
            continue
        start = -BROADCAST_SPAN
        sql.append("UPDATE live_room SET created_at = %d WHERE id = %d;" % (start, room["id"]))
        messages = [row for row in live_rows if row[1] == room["id"]]
        for k, row in enumerate(messages):
            at = start + (k + 1) * (BROADCAST_SPAN - 10 * MINUTE) // len(messages)
            sql.append("UPDATE live_message SET created_at = %d WHERE id = %d;" % (at, row[0]))
        posts = [row for row in discussion_rows if row[1] == room["id"]]
        for k, row in enumerate(posts):
            at = start + 5 * MINUTE + (k + 1) * (BROADCAST_SPAN - 15 * MINUTE) // len(posts)
            sql.append("UPDATE discussion SET created_at = %d WHERE id = %d;" % (at, row[0]))
        viewers = [u["id"] for u in g["users"] if u["id"] not in (room["uid"], 4, 6)]
        for seq in range(30):
            if seq % 3 == 0:
                picture = R.choice(OWNER_PICTURES) if seq % 9 == 3 else ""
                line_rows.append((room["id"], seq, 1, room["uid"], R.choice(OWNER_LINES), picture))
            else:
                line_rows.append((room["id"], seq, 2, R.choice(viewers), R.choice(VIEWER_LINES), ""))
        # The first line is due as soon as the service runs.
        script_rows.append((room["id"], LIVE_PACE, -1, 0))
    insert("live_script", ["room", "pace", "next_at", "step"], script_rows)
    insert("live_line", ["room", "seq", "kind", "uid", "text", "picture"], line_rows)


def add_letters(g, insert):
    """Letters between users who are friends, and notices to demo's friends
    (demo's own inbox is the generator's)."""
    friends = g["friends"]
    start = len(g["message_rows"])
    pairs = sorted((a, b) for (a, b), v in friends.items() if a >= 7 and b >= 7 and v[0] != 2)
    for a, b in R.sample(pairs, min(24, len(pairs))):
        title, text = R.choice(LETTERS)
        g["letter"](a, b, title, text, -R.randint(HOUR, 20 * DAY))
    for uid in (2, 3, 9):
        g["message"](uid, 1, 0, uid, 1, "活动报名提醒", "您报名的看房团即将出发，请准时到达集合地点。", -3 * HOUR)
    insert("message", ["id", "owner", "box", "sender", "recipient", "catname", "title", "text", "type", "tid",
                       "created_at"], g["message_rows"][start:])


def add_friend_requests_and_blacklists(g, insert):
    """Pending requests (a friend-request message in the target's inbox) and
    a few more blacklists."""
    friends = g["friends"]
    start = len(g["message_rows"])
    for sender, target in ((12, 7), (15, 3), (21, 2), (30, 9)):
        if (sender, target) in friends:
            continue
        name = g["USER"][sender]["username"]
        g["message"](target, 1, sender, target, 3, "好友请求", "%s请求添加您为好友" % name, -R.randint(HOUR, 3 * DAY))
    insert("message", ["id", "owner", "box", "sender", "recipient", "catname", "title", "text", "type", "tid",
                       "created_at"], g["message_rows"][start:])
    rows = []
    for owner, other in ((2, 6), (7, 33), (3, 6)):
        if (owner, other) not in friends:
            rows.append((owner, other, 2, "", 0, -R.randint(DAY, 60 * DAY)))
    insert("friend", ["uid", "friend", "gid", "remark", "shield", "created_at"], rows)


def add_purchases(g, insert):
    """Purchase records of demo's friends and of users in other cities."""
    project = g["PROJECT"]
    rows = []
    next_id = g["purchase_id"]
    buyers = [(2, 1001), (3, 1002), (26, 1003), (27, 1001), (28, 1005)]
    for uid, hid in buyers:
        phase, building = R.choice(project[hid]["buildings"])
        rows.append((next_id, uid, R.choice(g["BUYSTATE"]), hid, phase, building, str(R.randint(1, 4)),
                     str(R.randint(1, 30) * 100 + R.randint(1, 4)), -R.randint(DAY, 200 * DAY)))
        next_id += 1
    insert("purchase", ["id", "uid", "state", "hid", "lid", "bid", "unit", "num", "created_at"], rows)


def add_signups(g, insert, sql):
    """Sign-ups of the open activities; they count towards "joins"."""
    rows = []
    for act in g["activities"]:
        act_id, deadline = act[0], act[3]
        for _ in range(R.randint(0, 4)):
            name = R.choice(SIGNUP_NAMES)
            rows.append((act_id, name, "139%08d" % R.randint(0, 99999999), R.randint(1, 4),
                         min(deadline, 0) - R.randint(HOUR, 5 * DAY)))
    insert("signup", ["activity", "name", "tel", "num", "created_at"], rows)
    sql.append("UPDATE activity SET joins = joins + (SELECT ifnull(sum(num), 0) FROM signup s "
               "WHERE s.activity = activity.id);")
