#include "startup.h"

int main(int argc, char **argv)
{
    return runLumora(argc, argv);
}
