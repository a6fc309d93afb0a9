#include "MainWindow.h"

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Конфигуратор «Зелмар»"));
    resize(809, 443);
}
