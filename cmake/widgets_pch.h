// Qt Widgets headers that the controls, grids and windows nearly all
// include, directly or through our own headers; compiled once.
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QWidget>
