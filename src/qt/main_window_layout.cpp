#include "qt/main_window_layout.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QVBoxLayout>
#include <utility>

#include "app/main_window_presenter.h"
#include "common/main_window_model.h"
#include "qt/chart_view.h"
#include "qt/indicator_shape.h"
#include "qt/qt_text.h"

namespace brezzolo {

namespace {

constexpr int kPanelColumns = 4;
constexpr int kChartMinimumHeight = 180;
// Room left of the time-axis captions for the chart's value axis.
constexpr int kValueAxisRoom = 52;

QFont boldFont(const QWidget* widget, int extraPoints = 0) {
    QFont font = widget->font();
    font.setBold(true);
    if (extraPoints != 0 && font.pointSize() > 0) {
        font.setPointSize(font.pointSize() + extraPoints);
    }
    return font;
}

// A value label whose text, written by every cycle, never widens the window.
void letTextClip(QLabel* label) {
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setMinimumWidth(0);
}

QLabel* heading(QLabel* label) {
    label->setFont(boldFont(label));
    return label;
}

class Builder {
  public:
    explicit Builder(QMainWindow& window) : window_(window) {}

    MainWindowWidgets build() {
        makeLabels();
        makeMenu();
        auto* central = new QWidget(&window_);
        auto* page = new QVBoxLayout(central);
        page->setContentsMargins(12, 8, 12, 8);
        page->setSpacing(3);

        QLabel* title = label(1);
        title->setFont(boldFont(title, 3));
        page->addWidget(title);
        QLabel* headline = label(2);
        headline->setFont(boldFont(headline, 1));
        letTextClip(headline);
        page->addWidget(headline);
        page->addSpacing(4);

        page->addLayout(panels());
        page->addSpacing(6);
        page->addLayout(chartAndMessage(), 1);
        page->addSpacing(4);
        page->addWidget(heading(label(20)));
        page->addWidget(reportText());
        letTextClip(label(37));
        page->addWidget(label(37));
        page->addLayout(releaseLine());

        window_.setCentralWidget(central);
        statusLine();
        return std::move(w_);
    }

  private:
    QLabel* label(int number) { return w_.labels[static_cast<std::size_t>(number - 1)]; }

    void makeLabels() {
        for (const NamedLabel& named : mainWindowLabels()) {
            // Label34 carries the chart's time axis and paints its captions under the bars.
            auto* l = named.name == "Label34" ? new ChartAxisLabel : new QLabel;
            l->setObjectName(
                QString::fromUtf8(named.name.data(), static_cast<qsizetype>(named.name.size())));
            l->setTextFormat(Qt::PlainText);
            w_.labels.push_back(l);
        }
    }

    void makeMenu() {
        QMenuBar* bar = window_.menuBar();
        namespace texts = mainWindowTexts;
        QMenu* file = bar->addMenu(qtText(texts::File));
        file->setObjectName(QStringLiteral("File"));
        w_.Cartelle = action(file, "Cartelle", texts::Cartelle);
        w_.Esci = action(file, "Esci", texts::Esci);
        QMenu* parameters = bar->addMenu(qtText(texts::Parametri));
        parameters->setObjectName(QStringLiteral("Parametri"));
        w_.Stringa_APRS = action(parameters, "Stringa_APRS", texts::Stringa_APRS);
        w_.Pressione = action(parameters, "Pressione", texts::Pressione);
        w_.APRS_IS = action(parameters, "APRS_IS", texts::APRS_IS);
        w_.Stazione = action(parameters, "Stazione", texts::Stazione);
        w_.Web = action(parameters, "Web", texts::Web);
        w_.Radio = action(parameters, "Radio", texts::Radio);
        w_.About = bar->addAction(qtText(texts::About));
        w_.About->setObjectName(QStringLiteral("About"));
    }

    static QAction* action(QMenu* menu, const char* name, std::string_view text) {
        QAction* a = menu->addAction(qtText(text));
        a->setObjectName(QString::fromUtf8(name));
        return a;
    }

    // The outdoor values, rain, conditions and the day's extremes: headings over rows of
    // four equal columns.
    QGridLayout* panels() {
        auto* grid = new QGridLayout;
        grid->setHorizontalSpacing(12);
        grid->setVerticalSpacing(3);
        for (int column = 0; column < kPanelColumns; ++column) {
            grid->setColumnStretch(column, 1);
        }
        int row = 0;
        const auto headingRow = [&](int number) {
            grid->addWidget(heading(label(number)), row++, 0, 1, kPanelColumns);
        };
        const auto valueRow = [&](std::initializer_list<int> numbers) {
            int column = 0;
            for (int number : numbers) {
                letTextClip(label(number));
                grid->addWidget(label(number), row, column++);
            }
            ++row;
        };

        headingRow(21);
        valueRow({6, 7, 33, 16});
        valueRow({10, 11, 8, 9});
        headingRow(22);
        valueRow({13, 14, 15, 36});
        headingRow(12);
        letTextClip(label(4));
        letTextClip(label(5));
        grid->addWidget(label(4), row, 0, 1, 2);
        grid->addWidget(label(5), row++, 2, 1, 2);
        letTextClip(label(19));
        grid->addWidget(label(19), row, 0, 1, 2);
        auto* storm = new QHBoxLayout;
        storm->setSpacing(0);
        storm->addWidget(label(17));
        label(18)->setMargin(1);
        storm->addWidget(label(18));
        storm->addStretch(1);
        grid->addLayout(storm, row++, 2, 1, 2);
        letTextClip(label(29));
        grid->addWidget(label(29), row++, 0, 1, kPanelColumns);
        headingRow(23);
        for (int k = 0; k < 4; ++k) {
            auto* extreme = new QHBoxLayout;
            extreme->setSpacing(6);
            extreme->addWidget(label(24 + k));
            auto* shape = new IndicatorShape;
            shape->setObjectName(QStringLiteral("Shape%1").arg(k + 1));
            w_.shapes[static_cast<std::size_t>(k)] = shape;
            extreme->addWidget(shape);
            extreme->addStretch(1);
            grid->addLayout(extreme, row, k);
        }
        return grid;
    }

    // The chart block on the left; the user message and the chart selector on the right.
    QHBoxLayout* chartAndMessage() {
        auto* chartBlock = new QVBoxLayout;
        chartBlock->setSpacing(0);
        QLabel* chartTitle = heading(label(28));
        chartTitle->setIndent(kValueAxisRoom);
        chartBlock->addWidget(chartTitle);
        w_.MSChart1 = new TwelveHourChartView;
        w_.MSChart1->setObjectName(QStringLiteral("MSChart1"));
        w_.MSChart1->setMinimumHeight(kChartMinimumHeight);
        chartBlock->addWidget(w_.MSChart1, 1);
        auto* axis = static_cast<ChartAxisLabel*>(label(34));
        chartBlock->addWidget(axis);
        w_.MSChart1->setAxisLabel(axis);

        auto* side = new QVBoxLayout;
        side->setSpacing(4);
        side->addWidget(heading(label(30)));
        auto* enable = new QHBoxLayout;
        w_.Check1 = new QCheckBox;
        w_.Check1->setObjectName(QStringLiteral("Check1"));
        enable->addWidget(w_.Check1);
        enable->addWidget(label(31), 1);
        side->addLayout(enable);
        auto* message = new QHBoxLayout;
        message->addWidget(label(32));
        w_.Text2 = new QLineEdit;
        w_.Text2->setObjectName(QStringLiteral("Text2"));
        message->addWidget(w_.Text2, 1);
        side->addLayout(message);
        side->addSpacing(14);
        side->addWidget(heading(label(35)));
        w_.Option1 = new QRadioButton(qtText(mainWindowTexts::Option1));
        w_.Option1->setObjectName(QStringLiteral("Option1"));
        w_.Option2 = new QRadioButton(qtText(mainWindowTexts::Option2));
        w_.Option2->setObjectName(QStringLiteral("Option2"));
        side->addWidget(w_.Option1, 0, Qt::AlignLeft);
        side->addWidget(w_.Option2, 0, Qt::AlignLeft);
        side->addStretch(1);

        auto* row = new QHBoxLayout;
        row->setSpacing(24);
        row->addLayout(chartBlock, 1);
        row->addLayout(side);
        return row;
    }

    // The two report lines, in a fixed-width font so the fields line up as UI-View sends them.
    QPlainTextEdit* reportText() {
        w_.Text1 = new QPlainTextEdit;
        w_.Text1->setObjectName(QStringLiteral("Text1"));
        w_.Text1->setReadOnly(true);
        w_.Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
        w_.Text1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        const QFontMetrics metrics(w_.Text1->font());
        const int margins = static_cast<int>(2 * w_.Text1->document()->documentMargin()) +
                            2 * w_.Text1->frameWidth() + 4;
        w_.Text1->setFixedHeight(2 * metrics.lineSpacing() + margins);
        w_.Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        return w_.Text1;
    }

    QHBoxLayout* releaseLine() {
        auto* row = new QHBoxLayout;
        letTextClip(label(3));
        row->addWidget(label(3), 1, Qt::AlignBottom);
        w_.Command1 = new QPushButton;
        w_.Command1->setObjectName(QStringLiteral("Command1"));
        w_.Command1->setMinimumWidth(110);
        row->addWidget(w_.Command1);
        return row;
    }

    // The station's line above the upload's, each shown only while the model gives it a
    // text: without station.brz and aprs-is.brz the window looks as it always did.
    void statusLine() {
        QStatusBar* bar = window_.statusBar();
        bar->setObjectName(QStringLiteral("StatusBar"));
        bar->setSizeGripEnabled(false);
        auto* lines = new QWidget;
        auto* column = new QVBoxLayout(lines);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(0);
        for (auto [label, name] : {std::pair{&w_.StatusStation, "StatusStation"},
                                   std::pair{&w_.StatusAprsIs, "StatusAprsIs"},
                                   std::pair{&w_.StatusRadio, "StatusRadio"}}) {
            *label = new QLabel;
            (*label)->setObjectName(QString::fromUtf8(name));
            (*label)->setTextFormat(Qt::PlainText);
            letTextClip(*label);
            (*label)->hide();
            column->addWidget(*label);
        }
        bar->addWidget(lines, 1);
        bar->hide();
    }

    QMainWindow& window_;
    MainWindowWidgets w_;
};

}  // namespace

MainWindowWidgets buildMainWindowWidgets(QMainWindow& window) {
    return Builder(window).build();
}

}  // namespace brezzolo
