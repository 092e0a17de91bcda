#pragma once

#include <memory>

#include "input/TInputWindow.h"

namespace Ui {
class TdlgTitle;
}

// "Project Title": the title (one line of at most 80 characters: Enter adds no line break,
// and a pasted text is joined and cut to fit), the designer and the job number.
class TdlgTitle : public TInputWindow
{
    Q_OBJECT

public:
    explicit TdlgTitle(TWindowHost& host);
    ~TdlgTitle() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void TitleMemoChange();

private:
    std::unique_ptr<Ui::TdlgTitle> ui;
};
