// The usage chart drawn offscreen: frame, title inside it, legend and pie
// in their colours. The renders are saved as PNGs under the build tree.

#include "StringIds.h"
#include "base/StringTable.h"
#include "transfer/ui/CUsageChart.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QtTest>

namespace {

// The chart of the view: title, the two series names, one data set.
std::unique_ptr<CUsageChart> UsageChart(int used, int free)
{
    auto chart = std::make_unique<CUsageChart>(2, 0);
    chart->SetSeriesName(0, StringGbk(IdsChartUsed));
    chart->SetSeriesName(1, StringGbk(IdsChartFree));
    chart->SetTitle(StringGbk(IdsChartTitle));
    auto values = std::make_unique<CChartValues>();
    values->SetValue(0, used);
    values->SetValue(1, free);
    chart->AddValues(std::move(values));
    return chart;
}

// The chart drawn at (20, 30) to (220, 208) of a white image.
QImage Render(const CUsageChart& chart, const QString& name)
{
    QImage image(240, 230, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    chart.Draw(painter, 20, 30, 220, 208);
    painter.end();
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/../screenshots");
    QDir().mkpath(folder);
    image.save(folder + QStringLiteral("/") + name);
    return image;
}

int CountColour(const QImage& image, const QRect& area, const QColor& colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixelColor(x, y) == colour ? 1 : 0;
    return count;
}

} // namespace

class UsageChartTest : public QObject {
    Q_OBJECT

private slots:
    void holdsItsSeriesAndColours()
    {
        const auto chart = UsageChart(1, 36864);
        QCOMPARE(chart->SeriesCount(), 2);
        QCOMPARE(chart->Legend().GetName(0), StringGbk(IdsChartUsed));
        QCOMPARE(chart->Legend().Longest(), 5);
        QCOMPARE(chart->GetColor(0), QColor(0, 255, 0));
        QCOMPARE(chart->GetColor(1), QColor(0, 0, 255));
        QCOMPARE(chart->GetColor(9), QColor(255, 255, 255));
    }

    void halfUsedDrawsTwoHalfDiscs()
    {
        const QImage image = Render(*UsageChart(18432, 18432), QStringLiteral("usage-chart-half.png"));
        // Plot from y = 50; pie centre (120, 157), radius 45.
        QCOMPARE(image.pixelColor(120, 157 + 30), QColor(0, 255, 0));
        QCOMPARE(image.pixelColor(120, 157 - 30), QColor(0, 0, 255));
        const int green = CountColour(image, QRect(75, 112, 91, 91), QColor(0, 255, 0));
        const int blue = CountColour(image, QRect(75, 112, 91, 91), QColor(0, 0, 255));
        QVERIFY(std::abs(green - blue) < green / 20);
        // Frame colour inside the frame, white outside it.
        QCOMPARE(image.pixelColor(22, 205), QColor(214, 211, 206));
        QCOMPARE(image.pixelColor(10, 10), QColor(Qt::white));
    }

    void beforeAnyCompileTheUsedSliceIsAHairline()
    {
        const QImage image = Render(*UsageChart(1, 36864), QStringLiteral("usage-chart-new.png"));
        // The free bytes fill the disc; the used byte is the outline of a
        // sliver along the left radius.
        const QRect pie(75, 112, 91, 91);
        QVERIFY(CountColour(image, pie, QColor(0, 255, 0)) < 20);
        QVERIFY(CountColour(image, pie, QColor(0, 0, 255)) > 5000);
        int dark = 0;
        for (int x = 78; x < 117; ++x)
            dark += image.pixelColor(x, 156).lightness() < 100 || image.pixelColor(x, 157).lightness() < 100;
        QVERIFY(dark > 35);
    }

    void theTitleIsDrawnInsideTheFrame()
    {
        const QImage image = Render(*UsageChart(1, 36864), QStringLiteral("usage-chart-title.png"));
        const auto darkIn = [&](const QRect& area) {
            int dark = 0;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    dark += image.pixelColor(x, y).lightness() < 100 ? 1 : 0;
            return dark;
        };
        QCOMPARE(darkIn(QRect(0, 0, 240, 30)), 0);       // nothing above the frame
        QVERIFY(darkIn(QRect(22, 32, 196, 17)) > 20);    // the title band
    }
};

QTEST_MAIN(UsageChartTest)
#include "UsageChartTest.moc"
