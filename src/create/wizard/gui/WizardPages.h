#pragma once

// The pages of the three wizards. Each page owns its questions, says in
// plain words what they change in the plan, checks its answers as they are
// typed, and adds them to the answers the wizard hands over.

#include "create/wizard/QuestionList.h"
#include "create/wizard/WizardAnswers.h"

#include <QHash>
#include <QList>
#include <QWizardPage>

class QButtonGroup;
class QComboBox;
class QDateEdit;
class QFormLayout;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QVBoxLayout;

namespace qv::wizard {

class PlanWizard;

class AnswerPage : public QWizardPage
{
    Q_OBJECT
public:
    using QWizardPage::QWizardPage;
    // Adds this page's answers.
    virtual void collect(WizardAnswers &answers) const = 0;

protected:
    PlanWizard *planWizard() const;
    // The answers of the pages before this one, and this one's own.
    WizardAnswers answersSoFar() const;
};

class WelcomePage final : public AnswerPage
{
    Q_OBJECT
public:
    WelcomePage(WizardKind kind, QWidget *parent = nullptr);
    void collect(WizardAnswers &) const override {}
};

class KindPage final : public AnswerPage
{
    Q_OBJECT
public:
    KindPage(PlanType type, QWidget *parent = nullptr);
    bool isComplete() const override;
    void collect(WizardAnswers &answers) const override;

private:
    QButtonGroup *m_kinds;
};

class StagePage final : public AnswerPage
{
    Q_OBJECT
public:
    explicit StagePage(QWidget *parent = nullptr);
    void collect(WizardAnswers &answers) const override;

private:
    QRadioButton *m_new;
};

class BusinessNamePage final : public AnswerPage
{
    Q_OBJECT
public:
    BusinessNamePage(PlanType type, QWidget *parent = nullptr);
    bool isComplete() const override;
    void collect(WizardAnswers &answers) const override;

private:
    QLineEdit *m_name;
    QLabel *m_error;
    bool m_touched = false;
};

class DocumentPage final : public AnswerPage
{
    Q_OBJECT
public:
    DocumentPage(PlanType type, QWidget *parent = nullptr);
    void initializePage() override;
    bool isComplete() const override;
    bool validatePage() override;
    void collect(WizardAnswers &answers) const override;

private:
    void browse();
    void refresh();
    QString chosenPath() const;

    PlanType m_type;
    QLineEdit *m_path;
    QLabel *m_folder;
    QLabel *m_error;
    bool m_userChosen = false; // else the path follows the business name
    QString m_replaceAgreed;   // the existing plan the user agreed to replace
};

class PeriodPage final : public AnswerPage
{
    Q_OBJECT
public:
    PeriodPage(PlanType type, QWidget *parent = nullptr);
    void initializePage() override;
    void collect(WizardAnswers &answers) const override;

private:
    void refresh();

    PlanType m_type;
    QSpinBox *m_year;
    QComboBox *m_month;
    QSpinBox *m_projected;
    QLabel *m_monthCaption;
    QLabel *m_preview;
    QLabel *m_explanation;
    bool m_monthChosen = false;
    bool m_lastNewBusiness = true;
};

class BusinessCountsPage final : public AnswerPage
{
    Q_OBJECT
public:
    explicit BusinessCountsPage(QWidget *parent = nullptr);
    void collect(WizardAnswers &answers) const override;

private:
    QSpinBox *m_products;
    QSpinBox *m_media;
    QSpinBox *m_segments;
    QSpinBox *m_markets;
};

class MarketingCountsPage final : public AnswerPage
{
    Q_OBJECT
public:
    explicit MarketingCountsPage(QWidget *parent = nullptr);
    void collect(WizardAnswers &answers) const override;

private:
    QSpinBox *m_products;
    QSpinBox *m_media;
    QSpinBox *m_markets;
};

class MarketingProgramsPage final : public AnswerPage
{
    Q_OBJECT
public:
    explicit MarketingProgramsPage(QWidget *parent = nullptr);
    void collect(WizardAnswers &answers) const override;

private:
    QSpinBox *m_publicRelations;
    QSpinBox *m_salesPromotions;
    QSpinBox *m_events;
    QSpinBox *m_directCampaigns;
};

// One page of key figures from the question list; which questions it shows
// depends on the kind and stage chosen, so it is built when it is entered.
class FiguresPage final : public AnswerPage
{
    Q_OBJECT
public:
    FiguresPage(int index, QWidget *parent = nullptr);
    void initializePage() override;
    bool isComplete() const override;
    void collect(WizardAnswers &answers) const override;

private:
    struct Field
    {
        FigureQuestion question;
        QLineEdit *edit;
        QLabel *error;
    };
    void rebuild(const QuestionPage &page);

    int m_index;
    QVBoxLayout *m_layout;
    QWidget *m_body = nullptr;
    QList<Field> m_fields;
    QHash<QString, QString> m_typed; // by cell, kept while the user goes back and forth
};

class SubmissionPage final : public AnswerPage
{
    Q_OBJECT
public:
    explicit SubmissionPage(QWidget *parent = nullptr);
    bool isComplete() const override;
    void collect(WizardAnswers &answers) const override;

private:
    QLineEdit *addLine(QFormLayout *form, const QString &objectName, const QString &caption, int maxLength);

    QLineEdit *m_to;
    QDateEdit *m_date;
    QLineEdit *m_name;
    QLineEdit *m_street;
    QLineEdit *m_city;
    QLineEdit *m_state;
    QLineEdit *m_zip;
    QLineEdit *m_phone;
    QLabel *m_error;
};

class SummaryPage final : public AnswerPage
{
    Q_OBJECT
public:
    explicit SummaryPage(QWidget *parent = nullptr);
    void initializePage() override;
    void collect(WizardAnswers &) const override {}

private:
    QLabel *m_summary;
};

// "January 15, 2026" with the month from the string table.
QString submissionDateText(const QDate &date);

} // namespace qv::wizard
