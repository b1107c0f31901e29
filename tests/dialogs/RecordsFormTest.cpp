// The records window on prepared records: the figures, the table and the plot it shows for each
// size and difficulty, the best solve marked, damaged lines counted, no solves at all, both
// languages; and how it writes times.
#include "dialogs/RecordsForm.h"
#include "dialogs/RecordsPlot.h"
#include "dialogs/RecordsTableModel.h"
#include "dialogs/RecordsText.h"
#include "dialogs/RecordsTimeAxis.h"
#include "tests/dialogs/DialogTestSupport.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>

#include <cmath>
#include <limits>
#include <sstream>

using namespace vexil;
using namespace vexil::testing;

namespace {

const QString kDash = QStringLiteral("\u2014");
const QRgb kBest = TRecordsPlot::kBestColor.rgb();

// A records file as ReadRecordsFile would make it of ALines.
TRecordsFile RecordsFromLines(const std::vector<std::string>& ALines) {
  TRecordsFile file;
  for (const std::string& line : ALines) {
    if (const auto record = ParseRecordLine(line)) {
      file.Records.push_back(*record);
    } else {
      ++file.DamagedLines;
    }
  }
  return file;
}

// Four normal solves of the 3 x 3 x 3 (a tie for the best time, the fewest moves not the
// fastest), one hard, one of the 4 x 4 x 4, a solve of a day and more, and a damaged line.
std::vector<std::string> PreparedLines() {
  return {
      "2026-01-01T10:00:00\t3\tnormal\t0\t95\t60",
      "2026-01-02T11:30:00\t3\tnormal\t0\t80\t45",
      "2026-01-02T12:00:00\t3\tnorm",
      "2026-01-03T09:00:00\t3\thard\t0\t30\t20",
      "2026-01-03T09:15:00\t4\tnormal\t0\t300\t90",
      "2026-01-03T18:45:00\t3\tnormal\t0\t80\t50",
      "2026-01-04T08:05:00\t3\tnormal\t0\t120\t40",
      "2026-01-05T08:00:00\t10\tnone\t1\t5\t900",
  };
}

class RecordsFormTest : public ::testing::Test {
protected:
  TRecordsForm& Open(TRecordsFile AFile, int32_t ADegree = 3,
                     const std::string& ADifficulty = "normal", int ALanguage = kEnglish) {
    FStore = ShippedStore(ALanguage);
    FForm = std::make_unique<TRecordsForm>();
    FForm->SetLocalizationStoreLink(FStore.get());
    FForm->SetRecordsFile(std::move(AFile));
    FForm->SetChoice(ADegree, ADifficulty);
    FForm->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(FForm.get()));
    return *FForm;
  }

  QString Value(const char* AName) { return Child<QLabel>(*FForm, AName)->text(); }
  QTableView* Table() { return Child<QTableView>(*FForm, "RecordsTable"); }
  int Rows() { return Table()->model()->rowCount(); }
  QVariant Data(int ARow, int AColumn, int ARole = Qt::DisplayRole) {
    return Table()->model()->index(ARow, AColumn).data(ARole);
  }
  QString Number(int ARow) { return Table()->model()->headerData(ARow, Qt::Vertical).toString(); }
  bool Bold(int ARow, int AColumn) {
    const QVariant font = Data(ARow, AColumn, Qt::FontRole);
    return font.isValid() && font.value<QFont>().bold();
  }
  TRecordsPlot* Plot() { return Child<TRecordsPlot>(*FForm, "RecordsPlot"); }
  QComboBox* DegreeBox() { return Child<QComboBox>(*FForm, "RecordsDegreeBox"); }
  QComboBox* DifficultyBox() { return Child<QComboBox>(*FForm, "RecordsDifficultyBox"); }
  QString Cell(int ARow, int AColumn) { return Data(ARow, AColumn).toString(); }
  bool RowMarked(int ARow) {
    bool marked = true;
    for (int column = 0; column < TRecordsTableModel::kColumnCount; ++column) {
      marked = marked && Bold(ARow, column) &&
               Data(ARow, column, Qt::BackgroundRole).value<QColor>() ==
                   TRecordsTableModel::kBestRowColor;
    }
    return marked && Number(ARow).contains(QChar(0x2605));
  }
  int MarkedRows() {
    int count = 0;
    for (int row = 0; row < Rows(); ++row) {
      count += Bold(row, 0) ? 1 : 0;
    }
    return count;
  }
  // The colour the plot shows at solve AIndex.
  QRgb PlotColorAt(size_t AIndex) {
    const auto point = Plot()->PointOf(AIndex);
    EXPECT_TRUE(point.has_value());
    return point ? PixelAt(Plot(), point->toPoint()).rgb() : 0;
  }
  void Choose(QComboBox* ABox, const QString& AText) {
    const int index = ABox->findText(AText);
    ASSERT_GE(index, 0) << AText.toStdString();
    ABox->setCurrentIndex(index);
  }

  std::unique_ptr<TLocalizationStore> FStore;
  std::unique_ptr<TRecordsForm> FForm;
};

} // namespace

TEST_F(RecordsFormTest, FiguresOfFewerThanFiveSolvesWithATieAndADamagedLine) {
  Open(RecordsFromLines(PreparedLines()));
  EXPECT_EQ(FForm->windowTitle(), "Records");
  EXPECT_EQ(Value("BestTimeValue"), "00:01:20");
  EXPECT_EQ(Value("BestMovesValue"), "40");
  EXPECT_EQ(Value("SolvesValue"), "4");
  EXPECT_EQ(Value("AverageOf5Value"), kDash);
  EXPECT_EQ(Value("AverageOf12Value"), kDash);
  QLabel* damaged = Child<QLabel>(*FForm, "RecordsDamagedLabel");
  EXPECT_TRUE(damaged->isVisible());
  EXPECT_EQ(damaged->text(), "Damaged lines skipped in the records file: 1");

  // Newest first, numbered from the oldest.
  ASSERT_EQ(Rows(), 4);
  EXPECT_EQ(Cell(0, 0), "2026-01-04 08:05");
  EXPECT_EQ(Cell(0, 1), "00:02:00");
  EXPECT_EQ(Cell(0, 2), "40");
  EXPECT_EQ(Cell(3, 0), "2026-01-01 10:00");
  EXPECT_EQ(Cell(3, 1), "00:01:35");
  EXPECT_EQ(Number(0), "4");
  // Of the two equal best times the first is the best; the later one only equalled it.
  EXPECT_EQ(FForm->BestSolve(), 1u);
  EXPECT_EQ(Cell(2, 0), "2026-01-02 11:30");
  EXPECT_TRUE(RowMarked(2));
  EXPECT_EQ(Cell(1, 1), "00:01:20");
  EXPECT_FALSE(RowMarked(1));
  EXPECT_EQ(MarkedRows(), 1);

  ASSERT_EQ(Plot()->SolveCount(), 4u);
  EXPECT_EQ(Plot()->Best(), 1u);
  EXPECT_EQ(PlotColorAt(1), kBest);
  EXPECT_NE(PlotColorAt(2), kBest);
  EXPECT_NE(PlotColorAt(0), kBest);
  // Equal times stand at one height, a slower one higher up, oldest on the left.
  EXPECT_DOUBLE_EQ(Plot()->PointOf(1)->y(), Plot()->PointOf(2)->y());
  EXPECT_LT(Plot()->PointOf(3)->y(), Plot()->PointOf(1)->y());
  EXPECT_LT(Plot()->PointOf(0)->x(), Plot()->PointOf(3)->x());
}

TEST_F(RecordsFormTest, AFifthSolveGivesTheAverageOfFiveAndANewBestShowsMarkedOnTop) {
  std::vector<std::string> lines = PreparedLines();
  lines.push_back("2026-01-06T20:00:00\t3\tnormal\t0\t70\t41");
  Open(RecordsFromLines(lines));
  // 70, 80, 80, 95, 120: the 70 and the 120 dropped.
  EXPECT_EQ(Value("AverageOf5Value"), "00:01:25.0");
  EXPECT_EQ(Value("AverageOf12Value"), kDash);
  EXPECT_EQ(Value("BestTimeValue"), "00:01:10");
  EXPECT_EQ(Value("BestMovesValue"), "40");
  EXPECT_EQ(Value("SolvesValue"), "5");
  EXPECT_TRUE(RowMarked(0));
  EXPECT_EQ(Cell(0, 1), "00:01:10");
  EXPECT_EQ(MarkedRows(), 1);
  EXPECT_EQ(Plot()->Best(), 4u);
  EXPECT_EQ(PlotColorAt(4), kBest);
  EXPECT_NE(PlotColorAt(1), kBest);
}

TEST_F(RecordsFormTest, TwelveSolvesGiveTheAverageOfTwelveToATenthOfASecond) {
  std::vector<std::string> lines;
  // 60..71 seconds and one more of 1000 at the start, out of the last twelve.
  lines.push_back("2026-02-01T00:00:00\t5\teasy\t0\t1000\t10");
  for (int i = 0; i < 12; ++i) {
    lines.push_back("2026-02-01T00:00:00\t5\teasy\t0\t" + std::to_string(60 + i) + "\t10");
  }
  Open(RecordsFromLines(lines), 5, "easy");
  EXPECT_EQ(Value("SolvesValue"), "13");
  // 61..70: 65.5 seconds; the last five 67..71 give 69.
  EXPECT_EQ(Value("AverageOf12Value"), "00:01:05.5");
  EXPECT_EQ(Value("AverageOf5Value"), "00:01:09.0");
  EXPECT_FALSE(Child<QLabel>(*FForm, "RecordsDamagedLabel")->isVisible());
}

TEST_F(RecordsFormTest, ChoosingAnotherSizeOrDifficultyShowsItsRecordsEverywhere) {
  Open(RecordsFromLines(PreparedLines()));
  Choose(DifficultyBox(), "Hard");
  EXPECT_EQ(FForm->ChosenDifficulty(), "hard");
  EXPECT_EQ(Value("SolvesValue"), "1");
  EXPECT_EQ(Value("BestTimeValue"), "00:00:30");
  EXPECT_EQ(Value("BestMovesValue"), "20");
  ASSERT_EQ(Rows(), 1);
  EXPECT_TRUE(RowMarked(0));
  EXPECT_EQ(Plot()->SolveCount(), 1u);
  EXPECT_EQ(PlotColorAt(0), kBest);

  Choose(DegreeBox(), "4 x 4 x 4");
  EXPECT_EQ(FForm->ChosenDegree(), 4);
  EXPECT_EQ(Value("SolvesValue"), "0");
  EXPECT_EQ(Value("BestTimeValue"), kDash);
  EXPECT_EQ(Rows(), 0);
  EXPECT_EQ(Plot()->SolveCount(), 0u);

  Choose(DifficultyBox(), "Normal");
  EXPECT_EQ(Value("BestTimeValue"), "00:05:00");
  EXPECT_EQ(Cell(0, 2), "90");

  // A game of a day and more whose difficulty was not marked.
  Choose(DegreeBox(), "10 x 10 x 10");
  Choose(DifficultyBox(), "Not marked");
  EXPECT_EQ(FForm->ChosenDifficulty(), "");
  EXPECT_EQ(Value("BestTimeValue"), "1 d 00:00:05");
  EXPECT_EQ(Cell(0, 1), "1 d 00:00:05");
  EXPECT_EQ(Value("BestMovesValue"), "900");
  // The damaged line is a fault of the file, shown whatever the choice.
  EXPECT_TRUE(Child<QLabel>(*FForm, "RecordsDamagedLabel")->isVisible());
}

TEST_F(RecordsFormTest, NoRecordsShowDashesAndAnEmptyPlot) {
  Open(TRecordsFile{});
  for (const char* name :
       {"BestTimeValue", "BestMovesValue", "AverageOf5Value", "AverageOf12Value"}) {
    EXPECT_EQ(Value(name), kDash) << name;
  }
  EXPECT_EQ(Value("SolvesValue"), "0");
  EXPECT_EQ(Rows(), 0);
  EXPECT_FALSE(FForm->BestSolve());
  EXPECT_FALSE(Child<QLabel>(*FForm, "RecordsDamagedLabel")->isVisible());
  EXPECT_EQ(Plot()->SolveCount(), 0u);
  EXPECT_FALSE(Plot()->Best());
  EXPECT_FALSE(Plot()->PointOf(0));
  // Drawn, at its size and smaller than it likes, without a mark of a best.
  for (const QSize size : {QSize(400, 250), QSize(20, 10), QSize(1, 1)}) {
    Plot()->resize(size);
    const QImage picture = Plot()->grab().toImage();
    ASSERT_FALSE(picture.isNull());
    for (int y = 0; y < picture.height(); y += 3) {
      for (int x = 0; x < picture.width(); x += 3) {
        ASSERT_NE(picture.pixelColor(x, y).rgb(), kBest) << x << ',' << y;
      }
    }
  }
  // Switching among empty choices changes nothing.
  Choose(DegreeBox(), "2 x 2 x 2");
  Choose(DifficultyBox(), "Easy");
  EXPECT_EQ(Value("SolvesValue"), "0");
}

TEST_F(RecordsFormTest, OnlyDamagedLinesShowTheirCountAndNoSolves) {
  Open(RecordsFromLines({"x", "", "2026-01-01T10:00:00\t3\tnormal\t0\t95"}));
  EXPECT_EQ(Value("SolvesValue"), "0");
  EXPECT_EQ(Child<QLabel>(*FForm, "RecordsDamagedLabel")->text(),
            "Damaged lines skipped in the records file: 3");
}

TEST_F(RecordsFormTest, TheChoiceIsKeptWithinTheSizesAndKnownDifficulties) {
  Open(RecordsFromLines(PreparedLines()), 11, "medium");
  EXPECT_EQ(FForm->ChosenDegree(), 10);
  EXPECT_EQ(FForm->ChosenDifficulty(), "");
  EXPECT_EQ(Value("BestMovesValue"), "900");
  FForm->SetChoice(1, "hard");
  EXPECT_EQ(FForm->ChosenDegree(), 2);
  EXPECT_EQ(DegreeBox()->count(), 9);
  EXPECT_EQ(DifficultyBox()->count(), 4);
  // A choice made while shown shows at once.
  FForm->SetChoice(3, "hard");
  EXPECT_EQ(DegreeBox()->currentText(), "3 x 3 x 3");
  EXPECT_EQ(DifficultyBox()->currentText(), "Hard");
  EXPECT_EQ(Value("BestTimeValue"), "00:00:30");
}

TEST_F(RecordsFormTest, RussianTextsAndDaysAndTheGameWindowsFont) {
  Open(RecordsFromLines(PreparedLines()), 10, "", kRussian);
  EXPECT_EQ(FForm->windowTitle(), QStringLiteral("Рекорды"));
  EXPECT_EQ(Child<QLabel>(*FForm, "BestTimeLabel")->text(), QStringLiteral("Лучшее время:"));
  EXPECT_EQ(Child<QLabel>(*FForm, "AverageOf5Label")->text(),
            QStringLiteral("Среднее из 5 (ao5):"));
  EXPECT_EQ(Child<QPushButton>(*FForm, "RecordsCloseButton")->text(), QStringLiteral("Закрыть"));
  EXPECT_EQ(DifficultyBox()->currentText(), QStringLiteral("Не указана"));
  EXPECT_EQ(DifficultyBox()->itemText(1), QStringLiteral("Нормально"));
  EXPECT_EQ(Table()->model()->headerData(1, Qt::Horizontal), QStringLiteral("Время"));
  EXPECT_EQ(Value("BestTimeValue"), QStringLiteral("1 дн. 00:00:05"));
  EXPECT_EQ(Child<QLabel>(*FForm, "RecordsDamagedLabel")->text(),
            QStringLiteral("Пропущено повреждённых строк в файле рекордов: 1"));
  EXPECT_EQ(FForm->font(), QApplication::font("QMessageBox"));
  EXPECT_TRUE(Child<QLabel>(*FForm, "BestTimeValue")->font().bold());

  // Every caption fits the window in both languages.
  for (const int language : {kRussian, kEnglish}) {
    Open(RecordsFromLines(PreparedLines()), 3, "normal", language);
    for (QLabel* label : FForm->findChildren<QLabel*>()) {
      if (!label->isVisible() || label->wordWrap()) {
        continue;
      }
      EXPECT_GE(label->width(), label->sizeHint().width() - 1)
          << label->objectName().toStdString() << ' ' << language;
    }
    EXPECT_TRUE(
        FForm->rect().contains(Child<QPushButton>(*FForm, "RecordsCloseButton")->geometry()));
  }
}

TEST_F(RecordsFormTest, WithoutALanguageTheDesignTextsStay) {
  FForm = std::make_unique<TRecordsForm>();
  FForm->SetRecordsFile(RecordsFromLines(PreparedLines()));
  FForm->SetChoice(10, "");
  FForm->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(FForm.get()));
  EXPECT_EQ(FForm->windowTitle(), QStringLiteral("Рекорды"));
  EXPECT_EQ(Value("BestTimeValue"), QStringLiteral("1 дн. 00:00:05"));
  EXPECT_EQ(Table()->model()->headerData(0, Qt::Horizontal), QStringLiteral("Дата"));
}

TEST_F(RecordsFormTest, EnterAndEscClose) {
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
    Open(RecordsFromLines(PreparedLines()));
    EXPECT_TRUE(Child<QPushButton>(*FForm, "RecordsCloseButton")->isDefault());
    QTest::keyClick(FForm.get(), key);
    EXPECT_FALSE(FForm->isVisible()) << key;
  }
}

TEST_F(RecordsFormTest, ThousandsOfSolvesAllListedAndPlottedInsideThePlot) {
  std::vector<std::string> lines;
  for (int i = 0; i < 3000; ++i) {
    lines.push_back("2026-03-01T00:00:00\t2\teasy\t0\t" + std::to_string(20 + (i * 37) % 90) +
                    "\t" + std::to_string(i));
  }
  Open(RecordsFromLines(lines), 2, "easy");
  EXPECT_EQ(Rows(), 3000);
  EXPECT_EQ(Value("BestMovesValue"), "0");
  const QRect inside = Plot()->rect();
  for (size_t i = 0; i < 3000; i += 7) {
    EXPECT_TRUE(inside.contains(Plot()->PointOf(i)->toPoint())) << i;
  }
  EXPECT_EQ(PlotColorAt(*Plot()->Best()), kBest);
}

// A line of the records file: a solve of ADegree at ADifficulty made at ADate.
std::string Line(const std::string& ADate, int32_t ADays, int32_t ASeconds, int32_t AMoves,
                 int32_t ADegree = 3, const std::string& ADifficulty = "normal") {
  TSolveRecord record;
  record.Date = ADate;
  record.Degree = ADegree;
  record.Difficulty = ADifficulty;
  record.Days = ADays;
  record.Seconds = ASeconds;
  record.Moves = AMoves;
  return FormatRecordLine(record);
}

// ACount solves from 2026-01-01 on, AMinutesApart apart, slow and then faster.
std::vector<std::string> SolvesOverTime(int ACount, int AMinutesApart) {
  std::vector<std::string> lines;
  const QDateTime start(QDate(2026, 1, 1), QTime(9, 0));
  for (int i = 0; i < ACount; ++i) {
    const QString date = start.addSecs(int64_t{60} * AMinutesApart * i)
                             .toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    lines.push_back(
        Line(date.toStdString(), 0, 200 - 120 * i / ACount + (i * 37) % 41, 40 + i % 60));
  }
  return lines;
}

TEST_F(RecordsFormTest, EveryColumnHoldsItsWidestTextAtTheOpeningSize) {
  std::vector<std::string> lines = SolvesOverTime(3000, 37);
  // 116 moves, a solve of a month and a day, and the best in the middle of the list.
  lines[10] = Line("2026-01-01T12:00:00", 0, 90, 116);
  lines[20] = Line("2026-01-01T13:00:00", 31, 5, 50);
  lines[1500] = Line("2026-02-10T13:00:00", 0, 20, 50);
  for (const int language : {kEnglish, kRussian}) {
    Open(RecordsFromLines(lines), 3, "normal", language);
    ASSERT_EQ(Rows(), 3000);
    EXPECT_EQ(Number(1499), QStringLiteral("\u2605 1501"));
    // Every column in sight at once, none wider than the table.
    EXPECT_EQ(Table()->horizontalScrollBar()->maximum(), 0) << language;
    for (int column = 0; column < TRecordsTableModel::kColumnCount; ++column) {
      int widest = 0;
      for (int row = 0; row < Rows(); ++row) {
        const QVariant font = Data(row, column, Qt::FontRole);
        const QFontMetrics metrics(font.isValid() ? font.value<QFont>() : Table()->font());
        widest = std::max(widest, metrics.horizontalAdvance(Cell(row, column)));
      }
      EXPECT_GE(Table()->columnWidth(column), widest + 4) << column << ' ' << language;
    }
    EXPECT_EQ(Cell(2989, 2), "116");
    EXPECT_TRUE(Cell(2979, 1).startsWith(QStringLiteral("31 "))) << Cell(2979, 1).toStdString();
    // The numbers, the starred one among them.
    QFont numberFont = Table()->verticalHeader()->font();
    numberFont.setBold(true);
    EXPECT_GE(Table()->verticalHeader()->width(),
              QFontMetrics(numberFont).horizontalAdvance(Number(1499)) + 4);
  }
}

TEST_F(RecordsFormTest, TheFiguresAndTheTableStayInPlaceWhateverIsChosen) {
  std::vector<std::string> lines = SolvesOverTime(13, 60);
  lines.push_back(Line("2026-02-01T10:00:00", 2, 3600, 1234, 10, ""));
  lines.push_back(Line("2026-02-01T10:00:00", 0, 7, 9, 2, "easy"));
  Open(RecordsFromLines(lines));
  const auto places = [this] {
    std::vector<int> x;
    for (const char* name : {"BestTimeLabel", "BestTimeValue", "AverageOf5Label", "AverageOf5Value",
                             "AverageOf12Label", "AverageOf12Value"}) {
      x.push_back(Child<QLabel>(*FForm, name)->mapTo(FForm.get(), QPoint()).x());
    }
    x.push_back(Table()->width());
    x.push_back(Plot()->mapTo(FForm.get(), QPoint()).x());
    return x;
  };
  const std::vector<int> first = places();
  for (int degree = 0; degree < DegreeBox()->count(); ++degree) {
    for (int difficulty = 0; difficulty < DifficultyBox()->count(); ++difficulty) {
      DegreeBox()->setCurrentIndex(degree);
      DifficultyBox()->setCurrentIndex(difficulty);
      QApplication::processEvents();
      EXPECT_EQ(places(), first) << degree << ' ' << difficulty;
      for (const char* name : {"BestTimeValue", "BestMovesValue", "AverageOf5Value"}) {
        QLabel* value = Child<QLabel>(*FForm, name);
        EXPECT_GE(value->width(), value->sizeHint().width()) << name << ' ' << degree;
      }
    }
  }
  // The slowest figure of all was on show.
  FForm->SetChoice(10, "");
  EXPECT_EQ(Value("BestTimeValue"), "2 d 01:00:00");
}

TEST_F(RecordsFormTest, OpeningFillsTheTableAndThePlotOnce) {
  FStore = ShippedStore(kEnglish);
  FForm = std::make_unique<TRecordsForm>();
  int fills = 0;
  QObject::connect(Table()->model(), &QAbstractItemModel::modelReset, [&fills] { ++fills; });
  FForm->SetLocalizationStoreLink(FStore.get());
  FForm->SetRecordsFile(RecordsFromLines(PreparedLines()));
  FForm->SetChoice(3, "normal");
  FForm->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(FForm.get()));
  EXPECT_EQ(fills, 1);
  EXPECT_EQ(Rows(), 4);
  EXPECT_EQ(Plot()->SolveCount(), 4u);
  // A choice made while it shows is shown at once.
  Choose(DifficultyBox(), "Hard");
  EXPECT_EQ(fills, 2);
  EXPECT_EQ(Rows(), 1);
}

TEST_F(RecordsFormTest, ThePlotDrawsRunningAveragesAndTheBestSoFarAgainstTheDays) {
  // A solve a day, but a gap of ten days before the last.
  std::vector<std::string> lines = SolvesOverTime(29, 24 * 60);
  lines.push_back(Line("2026-02-08T09:00:00", 0, 70, 40));
  Open(RecordsFromLines(lines));
  Plot()->resize(600, 300);
  TRecordsPlot& plot = *Plot();
  std::vector<int64_t> times;
  for (const TSolveRecord& record : RecordsOf(FForm->RecordsFile().Records, 3, "normal")) {
    times.push_back(record.TotalSeconds());
  }
  ASSERT_EQ(times.size(), 30u);
  // The height of a time, from two solves of different times.
  const auto [low, high] = std::minmax_element(times.begin(), times.end());
  const double yLow = plot.PointOf(static_cast<size_t>(low - times.begin()))->y();
  const double yHigh = plot.PointOf(static_cast<size_t>(high - times.begin()))->y();
  const auto heightOf = [&](double ASeconds) {
    return yLow + (yHigh - yLow) * (ASeconds - static_cast<double>(*low)) /
                      static_cast<double>(*high - *low);
  };
  const auto averages5 = RunningTrimmedAverages(times, 5);
  const auto averages12 = RunningTrimmedAverages(times, 12);
  const auto bests = BestTimesSoFar(times);
  for (size_t i = 0; i < times.size(); ++i) {
    ASSERT_EQ(plot.AverageOf5At(i).has_value(), i >= 4) << i;
    ASSERT_EQ(plot.AverageOf12At(i).has_value(), i >= 11) << i;
    if (averages5[i]) {
      EXPECT_NEAR(plot.AverageOf5At(i)->y(), heightOf(*averages5[i]), 0.01) << i;
      EXPECT_DOUBLE_EQ(plot.AverageOf5At(i)->x(), plot.PointOf(i)->x());
    }
    if (averages12[i]) {
      EXPECT_NEAR(plot.AverageOf12At(i)->y(), heightOf(*averages12[i]), 0.01) << i;
    }
    EXPECT_NEAR(plot.BestSoFarAt(i)->y(), heightOf(static_cast<double>(bests[i])), 0.01) << i;
  }
  // Days apart, not solves apart: the last gap is ten times a day's.
  const double day = plot.PointOf(1)->x() - plot.PointOf(0)->x();
  EXPECT_GT(day, 0);
  EXPECT_NEAR(plot.PointOf(29)->x() - plot.PointOf(28)->x(), 10 * day, 0.01);
  // The ao12 line is drawn through its places.
  const QImage picture = plot.grab().toImage();
  for (const size_t i : {size_t{14}, size_t{20}, size_t{26}}) {
    const QPoint place = plot.AverageOf12At(i)->toPoint();
    bool drawn = false;
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        const QColor pixel = picture.pixelColor(place + QPoint(dx, dy));
        const QColor line = TRecordsPlot::kAverageOf12Color;
        drawn = drawn || (std::abs(pixel.red() - line.red()) < 40 &&
                          std::abs(pixel.green() - line.green()) < 40 &&
                          std::abs(pixel.blue() - line.blue()) < 40);
      }
    }
    EXPECT_TRUE(drawn) << i;
  }
}

TEST_F(RecordsFormTest, SeveralDatesUnderTheAxisThatDoNotOverlap) {
  struct TCase {
    int Solves;
    int MinutesApart;
  };
  // 500 solves over two weeks, 5,000 over a year, 200 in one long evening.
  for (const TCase& test : {TCase{500, 40}, TCase{5000, 105}, TCase{200, 2}}) {
    Open(RecordsFromLines(SolvesOverTime(test.Solves, test.MinutesApart)));
    const auto labels = Plot()->DateLabels();
    ASSERT_GE(labels.size(), 3u) << test.Solves;
    EXPECT_LE(labels.size(), 6u) << test.Solves;
    const QFontMetrics metrics(Plot()->font());
    for (size_t i = 0; i < labels.size(); ++i) {
      const double half = metrics.horizontalAdvance(labels[i].second) / 2.0;
      EXPECT_GE(labels[i].first - half, -1.0) << test.Solves;
      EXPECT_LE(labels[i].first + half, Plot()->width() + 1.0) << test.Solves;
      if (i > 0) {
        const double previousHalf = metrics.horizontalAdvance(labels[i - 1].second) / 2.0;
        EXPECT_GT(labels[i].first - labels[i - 1].first, half + previousHalf)
            << test.Solves << ' ' << labels[i].second.toStdString();
      }
    }
    // Inside the span of the solves.
    EXPECT_GE(labels.front().first, Plot()->PointOf(0)->x() - 0.01);
    EXPECT_LE(labels.back().first, Plot()->PointOf(test.Solves - 1)->x() + 0.01);
  }
  // One solve: its date under its point.
  Open(RecordsFromLines({Line("2026-03-01T10:00:00", 0, 95, 60)}));
  const auto labels = Plot()->DateLabels();
  ASSERT_EQ(labels.size(), 1u);
  EXPECT_EQ(labels[0].second, "2026-03-01 10:00");
  EXPECT_DOUBLE_EQ(labels[0].first, Plot()->PointOf(0)->x());
}

// --- the plot's scale

TEST(RecordsPlot, TheScaleIsARoundStepAboveTheSlowestSolveInAtMostFiveLines) {
  TRecordsPlot plot;
  using TScale = std::pair<int64_t, int64_t>; // the step and the top
  const auto scale = [&plot](std::vector<int64_t> ATimes) {
    plot.SetSolves(std::move(ATimes), {}, std::nullopt);
    return TScale(plot.ScaleStep(), plot.ScaleTop());
  };
  EXPECT_EQ(scale({3}), TScale(1, 3));
  EXPECT_EQ(scale({0}), TScale(1, 1));
  EXPECT_EQ(scale({130, 20}), TScale(30, 150));
  EXPECT_EQ(scale({3600}), TScale(900, 3600));
  EXPECT_EQ(scale({86400 * 10}), TScale(86400 * 2, 86400 * 10));
  // The longest time a record holds is drawn at once.
  const int64_t longest = int64_t{std::numeric_limits<int32_t>::max()} * 86400 + 86399;
  const auto [step, top] = scale({longest, 1});
  EXPECT_GE(top, longest);
  EXPECT_LE(top / step, 5);
  plot.resize(300, 200);
  EXPECT_FALSE(plot.grab().isNull());
  // A best index beyond the solves marks nothing.
  plot.SetSolves({5, 6}, {}, 2);
  EXPECT_FALSE(plot.Best());
}

// --- times and dates as written

TEST(RecordsText, TimesAsTheClockShowsThemWithDaysInFront) {
  const QString days = QStringLiteral("%1 d %2");
  EXPECT_EQ(SolveTimeText(0, days), "00:00:00");
  EXPECT_EQ(SolveTimeText(3661, days), "01:01:01");
  EXPECT_EQ(SolveTimeText(86399, days), "23:59:59");
  EXPECT_EQ(SolveTimeText(86400, days), "1 d 00:00:00");
  EXPECT_EQ(SolveTimeText(12 * 86400 + 61, days), "12 d 00:01:01");
  EXPECT_EQ(SolveTimeText(-5, days), "00:00:00");
}

TEST(RecordsText, AveragesToATenthRoundedOnceAndDashesForNone) {
  const QString days = QStringLiteral("%1 d %2");
  EXPECT_EQ(AverageTimeText(std::nullopt, days), QStringLiteral("\u2014"));
  EXPECT_EQ(AverageTimeText(85.0, days), "00:01:25.0");
  EXPECT_EQ(AverageTimeText(200.0 / 3, days), "00:01:06.7");
  // Never a 60th second.
  EXPECT_EQ(AverageTimeText(59.96, days), "00:01:00.0");
  EXPECT_EQ(AverageTimeText(86399.97, days), "1 d 00:00:00.0");
  EXPECT_EQ(AverageTimeText(std::nan(""), days), QStringLiteral("\u2014"));
  EXPECT_EQ(AverageTimeText(std::numeric_limits<double>::infinity(), days),
            QStringLiteral("\u2014"));
}

TEST(RecordsText, ScaleTimesAndDates) {
  EXPECT_EQ(ScaleTimeText(0), "0:00");
  EXPECT_EQ(ScaleTimeText(150), "2:30");
  EXPECT_EQ(ScaleTimeText(3600), "1:00:00");
  EXPECT_EQ(ScaleTimeText(2 * 86400 + 90), "48:01:30");
  EXPECT_EQ(SolveDateText("2026-12-09T14:05:00"), "2026-12-09 14:05");
  EXPECT_EQ(SolveDayText("2026-12-09T14:05:00"), "2026-12-09");
  // A date written by hand in another form is shown as it is.
  EXPECT_EQ(SolveDateText("yesterday"), "yesterday");
}

// --- the time axis

TEST(RecordsTimeAxis, SolvesStandAtTheirDatesInTheFilesOrder) {
  const int64_t day = 24 * 3600 * 1000;
  const auto moments = SolveMoments({"yesterday", "2026-01-02T00:00:00", "2026-01-03T12:00:00",
                                     "broken", "2026-01-01T00:00:00", "2026-01-04T00:00:00"});
  ASSERT_EQ(moments.size(), 6u);
  // Before the first readable date, with it; a later unreadable or earlier one, with the last.
  EXPECT_EQ(moments[0], moments[1]);
  EXPECT_EQ(moments[2] - moments[1], day + day / 2);
  EXPECT_EQ(moments[3], moments[2]);
  EXPECT_EQ(moments[4], moments[2]);
  EXPECT_EQ(moments[5] - moments[1], 2 * day);
  EXPECT_EQ(MomentText(moments[2]), "2026-01-03 12:00");
  EXPECT_EQ(SolveMoments({"x", "y"}), (std::vector<int64_t>{0, 0}));
}

TEST(RecordsTimeAxis, RoundDatesThatFitForSpansFromHoursToYears) {
  const auto measure = [](const QString& AText) { return 7.0 * AText.size(); };
  const auto moment = [](const char* AIso) { return SolveMoments({AIso}).front(); };
  struct TCase {
    const char* First;
    const char* Last;
    const char* FirstTick;
  };
  for (const TCase& test : {
           TCase{"2026-01-01T09:10:00", "2026-01-01T23:00:00", "01-01 12:00"},
           TCase{"2026-01-01T09:10:00", "2026-01-20T23:00:00", "2026-01-02"},
           TCase{"2026-01-05T09:10:00", "2026-12-20T23:00:00", "2026-03"},
           TCase{"1999-05-05T09:10:00", "2031-01-01T00:00:00", "2000"},
       }) {
    const int64_t first = moment(test.First);
    const int64_t last = moment(test.Last);
    const auto ticks = DateTicks(first, last, 400, 6, measure);
    ASSERT_GE(ticks.size(), 2u) << test.First << ' ' << test.Last;
    EXPECT_LE(ticks.size(), 6u);
    EXPECT_EQ(ticks.front().Text, test.FirstTick) << test.Last;
    double widths = 0;
    for (size_t i = 0; i < ticks.size(); ++i) {
      EXPECT_GE(ticks[i].Moment, first);
      EXPECT_LE(ticks[i].Moment, last);
      // Each names its own date.
      EXPECT_TRUE(MomentText(ticks[i].Moment).contains(ticks[i].Text))
          << ticks[i].Text.toStdString();
      if (i > 0) {
        EXPECT_GT(ticks[i].Moment, ticks[i - 1].Moment);
        EXPECT_NE(ticks[i].Text, ticks[i - 1].Text);
      }
      widths += measure(ticks[i].Text);
    }
    EXPECT_LE(widths, 400.0) << test.Last;
  }
  // No span, or none that holds a round quarter of an hour: nothing to mark.
  const int64_t nine = moment("2026-01-01T09:10:00");
  EXPECT_TRUE(DateTicks(nine, nine, 400, 6, measure).empty());
  EXPECT_TRUE(DateTicks(nine, moment("2026-01-01T09:14:00"), 400, 6, measure).empty());
  // A narrow axis takes fewer, coarser dates.
  EXPECT_LE(DateTicks(moment("2026-01-05T09:10:00"), moment("2026-12-20T23:00:00"), 120, 6, measure)
                .size(),
            2u);
}

// A solve that kept its scramble can be raced again: its scramble goes to the clipboard.
TEST_F(RecordsFormTest, TheChosenSolvesScrambleIsCopied) {
  TRecordsForm& form = Open(RecordsFromLines({
      "2026-01-01T10:00:00\t3\tnormal\t0\t95\t60",
      "2026-01-02T11:30:00\t3\tnormal\t0\t80\t45\tR U2 F' 2R",
  }));
  auto* copy = form.findChild<QPushButton*>(QStringLiteral("RecordsCopyScrambleButton"));
  auto* table = form.findChild<QTableView*>(QStringLiteral("RecordsTable"));
  ASSERT_NE(copy, nullptr);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(copy->text(), QStringLiteral("Copy scramble"));
  EXPECT_FALSE(copy->isEnabled());
  table->selectRow(1); // the older solve, from before games kept their scramble
  EXPECT_FALSE(copy->isEnabled());
  table->selectRow(0);
  ASSERT_TRUE(copy->isEnabled());
  QGuiApplication::clipboard()->clear();
  copy->click();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("R U2 F' 2R"));
  // Another choice shows other solves, none chosen.
  form.SetChoice(4, "normal");
  EXPECT_FALSE(copy->isEnabled());
}
