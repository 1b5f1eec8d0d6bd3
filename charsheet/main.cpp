#include <iostream>

#include "charsheet/CharSheet.h"

int main() {
    return rostel::runCharSheet(std::cin, std::cout, std::cerr, ".");
}
