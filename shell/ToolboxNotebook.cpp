// MainWidget: the Notebook page of the inspector, the problem's title and description.
#include "shell/MainWidget.h"

#include "problem/Problem.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>
#include <QToolBox>

void MainWidget::buildNotebookPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout;
    titleLine = new QLineEdit;
    titleLine->setObjectName(QStringLiteral("title"));
    commentsBox = new QTextEdit;
    commentsBox->setObjectName(QStringLiteral("comments"));
    // Descriptions come from problem files: they are shown as written, never as markup.
    commentsBox->setAcceptRichText(false);
    grid->addWidget(new QLabel(tr("Title :")), 0, 0);
    grid->addWidget(titleLine, 0, 1);
    grid->addWidget(new QLabel(tr("Comments :")), 1, 0, 1, 2);
    grid->addWidget(commentsBox, 2, 0, 1, 2);
    page->setLayout(grid);
    toolBox->addItem(page, QIcon(), tr("Notebook"));
}

void MainWidget::connectNotebookPage()
{
    connect(titleLine, &QLineEdit::textChanged, problem, &Problem::slot_set_title);
    connect(commentsBox, &QTextEdit::textChanged, this, &MainWidget::slot_problem_description_changed);
}

void MainWidget::slot_set_problem_title(QString t)
{
    titleLine->setText(t);
}

void MainWidget::slot_set_problem_description(QString t)
{
    commentsBox->setPlainText(t);
}

void MainWidget::slot_problem_description_changed()
{
    problem->slot_set_description(commentsBox->toPlainText());
}
