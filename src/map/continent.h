#pragma once

#include <QString>

// A group of countries that gives its owner a bonus of `value` armies.
struct Continent
{
    int number = 0;
    QString name;
    int value = 0;
};
