#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class Tmain;
}
struct Forms;
class TGoToWeb;

class Tmain : public QWidget {
    Q_OBJECT
public:
    explicit Tmain(Forms& forms, QWidget* parent = nullptr);
    ~Tmain() override;

    std::unique_ptr<Ui::Tmain> ui;
    TGoToWeb* WebJump;
    // 0 in main mode, 1 in multiplayer mode; only the upper three buttons read it.
    int MenuMode = 0;

    void ResetMainMenu();
    // Hiding notes the window's frame for the next centring.
    void setVisible(bool visible) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    // Centred once, at the first showing; after the configuration menu the
    // menu comes back wherever the user left it.
    void showEvent(QShowEvent* event) override;
    // Return presses the focused button, as in every other window.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void Button1Click();
    void Button2Click();
    void BitBtn1Click();
    void Button6Click();
    void openPage(const char* pagePath);

    Forms& forms_;
    bool centred_ = false;
};
