"""Questions and answers of the demo seed: 30 questions in every city, with
answers, best answers, customer-service answers, pictures, questions about
projects and closed ones.

In every city: 8 solved (best answer chosen), 3 closed, 5 about a project,
4 with a customer-service answer, 4 with pictures. In 3401 the demo user
asks the first four (the first solved, the second closed) and question 60005
has twelve answers.
"""

MORE_TITLES = [
    "{p}的物业费是多少？", "{p}离最近的地铁站有多远？", "{d}的二手房现在好卖吗？",
    "{p}的样板间什么时候开放？", "{p}是精装还是毛坯？", "首付不够可以申请分期吗？",
    "{d}租房一般押几付几？", "{p}一梯几户？得房率高吗？",
]
MORE_ANSWERS = [
    "我上周刚去看过，售楼处说下个月加推新房源。", "这个要看银行的政策，建议多问几家。",
    "楼主可以看看本站的购房工具，能算出月供。", "小区环境不错，就是停车位有点紧张。",
    "找中介的话记得看清服务费的标准。", "我家就在附近，生活配套挺方便的[Face1]",
]
SOLVED = (0, 4, 6, 8, 10, 12, 14, 16)
CLOSED = (1, 20, 22)
ABOUT_PROJECT = (0, 5, 9, 13, 17)
SERVICE = (3, 7, 11, 15)
WITH_PICTURES = (2, 6, 18, 21)
HOUR = 3600


def make_questions(R, ctx, projects, user_ids):
    cities, insert, past = ctx["cities"], ctx["insert"], ctx["past"]
    titles = ctx["question_titles"] + MORE_TITLES
    answers_pool = ctx["answer_texts"] + MORE_ANSWERS
    question_rows, answer_rows = [], []
    question_id, answer_id = 60001, 62001
    for cid in cities:
        city_projects = [p for p in projects if p["cityid"] == cid]
        for i in range(30):
            if cid == 3401 and i < 4:
                asker = 1
            else:
                asker = R.choice([u for u in user_ids if u >= 7])
            project = R.choice(city_projects)
            if i in ABOUT_PROJECT:  # about the city's first projects
                project = city_projects[ABOUT_PROJECT.index(i) % 4]
            hid = project["id"] if i in ABOUT_PROJECT else 0
            title = titles[(i + cid) % len(titles)].format(p=project["name"], d=project["dname"])
            at = past(60, 2)
            count = 12 if (cid == 3401 and i == 4) else R.randint(1, 6) if i in SOLVED else R.randint(0, 5)
            if cid == 3401 and i in (0, 1):
                count = max(count, 2)
            answered = []
            for k in range(count):
                author = 2 if asker == 1 and k == 0 else R.choice([u for u in user_ids if u != asker])
                when = at + (k + 1) * 3 * HOUR
                picture = R.choice(ctx["rooms"]) if k % 5 == 2 else ""
                answer_rows.append((answer_id, question_id, author, R.choice(answers_pool), picture, min(when, -60)))
                answered.append(answer_id)
                answer_id += 1
            best = answered[0] if i in SOLVED and answered else 0
            service = i in SERVICE
            image = "|".join(R.sample(ctx["rooms"], 2)) if i in WITH_PICTURES else ""
            question_rows.append((
                question_id, cid, asker, title, "如题，%s，请了解的朋友说说。" % title.rstrip("？"), image, hid,
                1 if i in CLOSED else 0, 1 if best else 0, best,
                "您好，%s的具体情况请致电售楼处咨询，我们也会持续跟进。" % project["name"] if service else "",
                "客服小安" if service else "", at + 2 * HOUR if service else 0, at))
            question_id += 1
    insert("question", ["id", "cityid", "uid", "title", "text", "image", "hid", "closed", "solve", "best",
                        "servictext", "servicname", "service_at", "created_at"], question_rows)
    insert("answer", ["id", "question", "uid", "text", "picture", "created_at"], answer_rows)
