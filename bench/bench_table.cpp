// A 10 000-row list of 90-point article rows: load it and scroll it once from
// top to bottom, a screen at a time, painting every step. The toolkit's
// table (cells built only while on screen, reused by identifier) against the
// same rows in a plain QListWidget with one item widget per row, measured in
// the same run. Reports the ratio and how many cells the table built.
#include "Figures.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/runtime/Application.h"
#include "platform/ui/views/Animation.h"
#include "platform/ui/views/Font.h"
#include "platform/ui/views/ImageView.h"
#include "platform/ui/views/Label.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace tovera::platform::ui;

namespace {

constexpr int kRows = 10000;
constexpr double kRowHeight = 90;
constexpr QSize kListSize(320, 416);

QString titleFor(int row) {
    return QString("合肥滨湖新区第%1批商品房预售许可公示").arg(row);
}
QString leadFor(int row) {
    return QString("本周新增供应%1套，均价每平方米一万二千元左右，环比持平。").arg(row % 97);
}

Image thumbnail() {
    QImage image(132, 118, QImage::Format_RGB32);
    image.fill(QColor(0xEF, 0xC6, 0x9C));
    return Image(image, 2);
}

// The article row: thumbnail, title, lead and date.
class ArticleCell : public TableViewCell {
public:
    ArticleCell() : TableViewCell(Style::Default, "article") {
        setFrame(QRectF(0, 0, 320, kRowHeight));
        image = new ImageView(QRectF(8, 16, 66, 59), contentView());
        image->setImage(thumbnail());
        title = new Label(QRectF(82, 8, 230, 22), contentView());
        title->setFont(Font::boldSystem(15));
        lead = new Label(QRectF(82, 30, 230, 36), contentView());
        lead->setFont(Font::system(13));
        lead->setNumberOfLines(2);
        lead->setLineBreakMode(Label::LineBreak::WordWrap);
        date = new Label(QRectF(82, 68, 230, 16), contentView());
        date->setFont(Font::system(12));
        date->setTextAlignment(Qt::AlignRight);
    }
    ImageView* image;
    Label* title;
    Label* lead;
    Label* date;
};

class Articles : public TableViewDataSource, public TableViewDelegate {
public:
    int built = 0;
    int numberOfRowsInSection(TableView*, int) override { return kRows; }
    TableViewCell* cellForRowAtIndexPath(TableView* table, const IndexPath& ip) override {
        auto* cell = static_cast<ArticleCell*>(table->dequeueReusableCellWithIdentifier("article"));
        if (!cell) {
            cell = new ArticleCell;
            ++built;
        }
        cell->title->setText(titleFor(ip.row));
        cell->lead->setText(leadFor(ip.row));
        cell->date->setText("2012-06-18");
        return cell;
    }
    double heightForRowAtIndexPath(TableView*, const IndexPath&) override { return kRowHeight; }
};

void settle() {
    QCoreApplication::processEvents();
}

void BM_ToolkitTable(benchmark::State& state) {
    Window window;
    window.makeKeyAndVisible();
    settle();
    int built = 0;
    for (auto _ : state) {
        Articles articles;
        auto* table = new TableView(QRectF(0, 64, kListSize.width(), kListSize.height()),
                                    TableView::Style::Plain);
        table->setDataSource(&articles);
        table->setDelegate(&articles);
        window.addSubview(table);
        table->reloadData();
        settle();
        const double bottom = table->maximumOffset().y();
        for (double y = 0; y < bottom; y += kListSize.height()) {
            table->setContentOffset({0, y});
            table->repaint();
        }
        table->setContentOffset({0, bottom});
        table->repaint();
        built = articles.built;
        delete table;
        settle();
    }
    state.counters["cells_built"] = built;
}

QWidget* articleWidget(int row) {
    auto* widget = new QWidget;
    auto* layout = new QHBoxLayout(widget);
    layout->setContentsMargins(8, 4, 8, 4);
    auto* picture = new QLabel;
    picture->setPixmap(thumbnail().pixmap());
    layout->addWidget(picture);
    auto* texts = new QVBoxLayout;
    auto* title = new QLabel(titleFor(row));
    title->setFont(Font::boldSystem(15));
    auto* lead = new QLabel(leadFor(row));
    lead->setFont(Font::system(13));
    lead->setWordWrap(true);
    auto* date = new QLabel("2012-06-18");
    date->setFont(Font::system(12));
    date->setAlignment(Qt::AlignRight);
    texts->addWidget(title);
    texts->addWidget(lead);
    texts->addWidget(date);
    layout->addLayout(texts, 1);
    return widget;
}

void BM_QListWidgetBaseline(benchmark::State& state) {
    Window window;
    window.makeKeyAndVisible();
    settle();
    for (auto _ : state) {
        // Filled while hidden, rows of one size: the quick way to fill one.
        auto* list = new QListWidget(&window);
        list->setGeometry(QRect(QPoint(0, 64), kListSize));
        list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
        list->setUniformItemSizes(true);
        list->hide();
        for (int row = 0; row < kRows; ++row) {
            auto* item = new QListWidgetItem(list);
            item->setSizeHint(QSize(kListSize.width(), int(kRowHeight)));
        }
        for (int row = 0; row < kRows; ++row)
            list->setItemWidget(list->item(row), articleWidget(row));
        list->show();
        settle();
        QScrollBar* bar = list->verticalScrollBar();
        for (int y = 0; y < bar->maximum(); y += kListSize.height()) {
            bar->setValue(y);
            list->viewport()->repaint();
        }
        bar->setValue(bar->maximum());
        list->viewport()->repaint();
        delete list;
        settle();
    }
}

}  // namespace

BENCHMARK(BM_ToolkitTable)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_QListWidgetBaseline)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    Application::prepare(Application::takeScaleArgument(argc, argv, 2));
    QApplication app(argc, argv);
    Application runtime;
    Animation::setEnabled(false);
    benchmark::Initialize(&argc, argv);
    tovera::bench::TimesReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    // The goal: QListWidget at least 5 x slower, so the table at most 0.2 x.
    tovera::bench::reportFigure({"10 000 rows loaded and scrolled, table vs QListWidget",
                                 reporter.time("BM_ToolkitTable"), "ms",
                                 reporter.time("BM_QListWidgetBaseline"), 0.2});
    benchmark::Shutdown();
    return 0;
}
