#include "shell/Console.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTextCursor>
#include <QTextEdit>

#include <iostream>

Console::Console()
{
    log = new QTextEdit;
    log->setReadOnly(true);
    log->setAcceptRichText(false);
    debug = new QCheckBox(tr("Debug"));
    verbosity = new QSpinBox;
    verbosity->setRange(0, 6);
    verbosity->setValue(0);
    thread = new QSpinBox;
    thread->setRange(-1, 4);
    thread->setValue(-1);
    auto *clear = new QPushButton(tr("Clear"));

    auto *grid = new QGridLayout;
    grid->addWidget(log, 0, 0, 1, 6);
    grid->addWidget(debug, 1, 0);
    grid->addWidget(new QLabel(tr("Verbose")), 1, 1);
    grid->addWidget(verbosity, 1, 2);
    grid->addWidget(new QLabel(tr("Thread")), 1, 3);
    grid->addWidget(thread, 1, 4);
    grid->addWidget(clear, 1, 5);
    setLayout(grid);

    connect(clear, &QPushButton::clicked, log, &QTextEdit::clear);

    // The view follows new lines while it shows the last one, also when the log grows while the
    // console is hidden or its size changes; a user who scrolled up to read stays where they are.
    QScrollBar *bar = log->verticalScrollBar();
    connect(bar, &QScrollBar::rangeChanged, this, [this, bar](int, int maximum) {
        if (following)
            bar->setValue(maximum);
    });
    connect(bar, &QScrollBar::valueChanged, this,
            [this, bar](int value) { following = value >= bar->maximum(); });
}

void Console::addParagraph(const QString &text, const QColor &colour)
{
    // Inserted through the cursor as plain text: a message that looks like markup is shown as
    // written, never interpreted.
    QTextCursor cursor(log->document());
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat format;
    format.setForeground(colour);
    if (!log->document()->isEmpty())
        cursor.insertBlock();
    cursor.insertText(text, format);
    log->setTextColor(colour);
}

void Console::append(QString text)
{
    addParagraph(QStringLiteral("[") + text + QStringLiteral("](deprecated use of Console::append())"),
                 Qt::red);
}

void Console::append(QString text, bool isDebug, int level, QColor colour)
{
    if (isDebug && !debug->isChecked())
        return;
    if (verbosity->value() < level)
        return;
    addParagraph(text, colour);
}

void Console::append(QString text, bool isDebug, int level, QColor colour, int worker)
{
    const int wanted = thread->value();
    if (wanted >= 0 && wanted != worker)
        return;
    append(text, isDebug, level, colour);
}

void Console::slot_print()
{
    std::cerr << "Console::slot_print() not implemented yet" << std::endl;
}
