// Writes the fuzz targets' seed corpus, small files of each kind written by the program's own writers:
// brimvale-fuzz-seeds FOLDER gives FOLDER/<target>/seed-<name>.
#include <fstream>
#include <iostream>
#include <string>

#include "io/CsvFieldWriter.h"
#include "io/ResultFileWriter.h"

using namespace brimvale;

namespace {

std::filesystem::path folder;

void seed(const std::string& target, const std::string& name, const std::string& bytes)
{
    std::filesystem::create_directories(folder / target);
    std::ofstream(folder / target / ("seed-" + name), std::ios::binary) << bytes;
}

// A Corvane head note in either layout, then the heading row and the first rows of the matrix (a whole
// matrix is 201 rows of 202 numbers, far more than a fuzzer needs to reach every branch of the reader).
std::string corvaneStart(bool older, int rows, double cell)
{
    CsvFieldWriter writer;
    writer.text(older ? "Corvane output file" : "Corvane common output format");
    writer.endLine();
    const int pairs = older ? 11 : 14;
    for (int pair = 1; pair <= pairs; ++pair) {
        writer.text("Key " + std::to_string(pair) + ": ");
        if (older && pair == 1)
            writer.text(cell < 2.0 ? "Probability" : "Confidence");
        else if (!older && pair == 1)
            writer.text(std::to_string(pairs + 1));
        else if ((older && pair >= 8) || (!older && (pair == 9 || pair == 10)))
            writer.number(0.2);
        else
            writer.text(pair % 2 ? "Quercus pollen (%)" : "95");
        writer.endLine();
    }
    writer.bare({});
    for (int k = 0; k < 201; ++k)
        writer.integer(200 - k);
    writer.endLine();
    for (int r = 0; r < rows; ++r) {
        writer.number(-10.0 + 0.15 * r);
        for (int k = 0; k < 201; ++k)
            writer.number(k == 100 ? cell : 0.0);
        writer.endLine();
    }
    return writer.takeContents();
}

std::string resultFile(int slider1, int slider2)
{
    ResultFileInput input;
    input.dataFileName = "/data/core.csv";
    input.dataXTitle = "Quercus (%)";
    input.dataYTitle = "Depth (cm)";
    input.matrixFileName = "/data/matrix.csv";
    input.matrixXTitle = "Quercus pollen (%)";
    input.matrixYTitle = "July temperature (C)";
    input.smoothingCaption = "3";
    input.axisLeftCaption = "-10";
    input.axisRightCaption = "20";
    input.sectionTopCaption = "0";
    input.sectionBottomCaption = "300";
    input.confidenceCoefficient1 = NumberOrText::fromText("68");
    input.confidenceCoefficient2 = NumberOrText::fromNumber(95);
    input.slider1 = slider1;
    input.slider2 = slider2;
    input.exportGrid = ExportGrid(2);
    input.exportGrid(100, 0) = 3.25;
    input.exportGrid(101, 0) = -2.5;
    input.exportGrid(99, 1) = 1.0625;
    return composeResultFile(input);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::cerr << "usage: brimvale-fuzz-seeds FOLDER\n";
        return 2;
    }
    folder = argv[1];

    seed("FieldReaderFuzzer", "fields", "a, b ,\"c,\r\nd\"x,,\r\n\r\n \"\" ,e\n1e400,-2.5E-3\r12 kg\r\n");
    seed("FieldReaderFuzzer", "numbers", "\" 7 \",32767.5,-2147483648.5,0.1,3.5E38,\"95\",1e,-1e-400\r\n");
    seed("FieldReaderFuzzer", "marked", "\xEF\xBB\xBF\"Version: \",\"2.5.0\"\r\n,0.5\r\n\"open");

    seed("TextEncodingFuzzer", "utf8",
         "\xEF\xBB\xBFJuly temperature \xC2\xB0"
         "C \xF0\x9F\x8C\xB2");
    seed("TextEncodingFuzzer", "latin1",
         "Temp\xE9rature \xB0"
         "C\t\x1B[2J\x7F");
    seed("TextEncodingFuzzer", "broken", "\xC0\xAF \xED\xA0\x80 \xF4\x90\x80\x80 \xE2\x82");

    CsvFieldWriter data;
    data.text("Depth (cm)");
    data.text("Quercus pollen (%)");
    data.endLine();
    for (int k = 0; k < 8; ++k) {
        data.number(3.0f * k);
        data.number(20.0f + (k % 3) - 0.5f * k);
        data.endLine();
    }
    seed("DataFileFuzzer", "record", data.contents());
    seed("DataFileFuzzer", "odd", "Age,\"Value, %\"\r\n0,1e39\r\n12abc,3e2,4\r\n\"5,6");

    seed("CorvaneMatrixFuzzer", "older-probability", corvaneStart(true, 3, 0.25));
    seed("CorvaneMatrixFuzzer", "older-confidence", corvaneStart(true, 2, 3.0));
    seed("CorvaneMatrixFuzzer", "newer-packed", corvaneStart(false, 3, -2.0625));
    seed("ProfileFileFuzzer", "older-probability", corvaneStart(true, 3, 0.25));

    const std::string result = resultFile(511, 1);
    seed("ResultFileFuzzer", "two-rows", result);
    seed("ResultFileFuzzer", "older-first-line",
         "\"Brimvale output file\"" + result.substr(result.find("\r\n")));
    seed("ResultFileFuzzer", "more-rows",
         result + result.substr(result.rfind("\r\n", result.size() - 3) + 2));
    return 0;
}
