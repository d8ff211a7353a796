// Saves records 1, 2, 3, ... through the program's connection, printing each number once it is stored.
#include <cstdio>
#include <exception>
#include <string>

#include "data/Connection.h"
#include "data/ConnectionString.h"

// Killed from outside by a test: the numbers printed are the saves that had returned.
int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: save-series PROGRAM-FOLDER\n", stderr);
        return 2;
    }
    try {
        Connection connection;
        connection.Open(ConnectionString::forProgramFolder(argv[1]));
        const std::string particulars(2000, 'p');
        for (long long number = 1; number <= 1000000; ++number) {
            connection.Execute("Insert Into Income values(" + std::to_string(number) +
                               ",'2024-01-01','Salary'," + std::to_string(number) + ".25,'" + particulars +
                               "')");
            std::printf("%lld\n", number);
            std::fflush(stdout);
        }
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "%s\n", failure.what());
        return 1;
    }
    return 0;
}
