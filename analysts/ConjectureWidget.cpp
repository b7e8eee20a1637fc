#include "analysts/ConjectureWidget.h"

#include "analysts/Analyst.h"
#include "analysts/ConjectureEngine.h"
#include "dialogs/RunWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

ConjectureWidget::ConjectureWidget(Analyst *analyst, QWidget *parent) : QWidget(parent), analyst(analyst)
{
    runWindow = new RunWindow(QStringLiteral("Searching conjectures"));
    engine = new ConjectureEngine(runWindow);
    output = new QTextEdit(this);
    output->setReadOnly(true);
    output->setAcceptRichText(false);
    targetBox = new QComboBox(this);
    upperBox = new QCheckBox(QStringLiteral("Upper"), this);
    searchButton = new QPushButton(QStringLiteral("Search"), this);
    clearButton = new QPushButton(QStringLiteral("Clear"), this);
    squareBox = new QCheckBox(QStringLiteral("x^2"), this);
    sqrtBox = new QCheckBox(QStringLiteral("sqrt(x)"), this);
    productsBox = new QCheckBox(QStringLiteral("Products"), this);
    combineBox = new QCheckBox(QStringLiteral("Combine prod."), this);

    auto *layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Target"), this), 0, 0);
    layout->addWidget(targetBox, 0, 1);
    layout->addWidget(upperBox, 0, 2);
    layout->addWidget(squareBox, 1, 0);
    layout->addWidget(sqrtBox, 1, 1);
    layout->addWidget(searchButton, 1, 2);
    layout->addWidget(productsBox, 2, 0);
    layout->addWidget(combineBox, 2, 1);
    layout->addWidget(clearButton, 2, 2);
    layout->addWidget(output, 3, 0, 1, 3);

    connect(searchButton, &QPushButton::clicked, this, &ConjectureWidget::slot_run);
    connect(clearButton, &QPushButton::clicked, this, &ConjectureWidget::slot_clear);
    connect(engine, &ConjectureEngine::signal_max, runWindow, &RunWindow::slot_set_max);
    connect(engine, &ConjectureEngine::signal_current, runWindow, &RunWindow::slot_set_value);
    connect(engine, &ConjectureEngine::signal_start, runWindow, &RunWindow::slot_start);
    connect(engine, &ConjectureEngine::signal_cancel, runWindow, &RunWindow::slot_cancel);
    connect(engine, &ConjectureEngine::signal_conjecture, this, &ConjectureWidget::slot_report);
    connect(engine, &QThread::finished, this, &ConjectureWidget::slot_search_ended);
    // The window's own connection sets its flag; this one also keeps the engine from reporting
    // any bound after the click, and the panel drops the lines already on their way.
    connect(runWindow->getCancelButton(), &QPushButton::clicked, this, [this]() {
        if (!engine->isRunning())
            return;
        userCancelled = true;
        engine->cancel();
    });
}

ConjectureWidget::~ConjectureWidget()
{
    engine->cancel();
    engine->wait();
    delete engine;
    delete runWindow;
}

void ConjectureWidget::setHeader(const QStringList &names)
{
    engine->setHeader(names);
    targetBox->clear();
    targetBox->addItems(names);
}

QString ConjectureWidget::getConjectures() const
{
    return output->toPlainText();
}

bool ConjectureWidget::isSearching() const
{
    return engine->isRunning() || !searchButton->isEnabled();
}

void ConjectureWidget::slot_run()
{
    // The engine's data must not change under a running search.
    if (isSearching())
        return;
    userCancelled = false;
    engine->clear();
    engine->setSq(squareBox->isChecked());
    engine->setSqrt(sqrtBox->isChecked());
    engine->setProd(productsBox->isChecked());
    engine->setCombine(combineBox->isChecked());
    engine->setHeader(analyst ? analyst->getHeader() : QStringList());
    engine->setUpper(upperBox->isChecked());
    engine->setTarget(targetBox->currentText());
    const int rows = analyst ? analyst->nbGraphs() : 0;
    for (int r = 0; r < rows; ++r)
        engine->addPoint(analyst->getLine(r));
    searchButton->setEnabled(false);
    clearButton->setEnabled(false);
    engine->start();
}

void ConjectureWidget::slot_clear()
{
    if (!isSearching())
        output->clear();
}

void ConjectureWidget::slot_report(const QString &text)
{
    if (userCancelled && text != QLatin1String("---"))
        return;
    // One paragraph per text, as plain text: column names are the user's.
    QTextCursor cursor(output->document());
    cursor.movePosition(QTextCursor::End);
    if (!output->document()->isEmpty())
        cursor.insertBlock();
    cursor.insertText(text);
}

void ConjectureWidget::slot_search_ended()
{
    searchButton->setEnabled(true);
    clearButton->setEnabled(true);
}
