#pragma once

class QWidget;

// The verdict window of band 1 to 6, made afresh with its built-in content.
QWidget *createVerdictWindow(int band);
