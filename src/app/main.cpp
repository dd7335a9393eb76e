#include "TOrvessaApplication.h"

int main(int argc, char *argv[])
{
    return TOrvessaApplication::run(argc, argv);
}
