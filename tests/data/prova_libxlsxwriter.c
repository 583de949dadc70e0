/* Writes tests/data/prova_libxlsxwriter.xlsx: the cells of prova_libreoffice.fods
 * in the layout of a saved test, through libxlsxwriter's own calls.
 *   cc prova_libxlsxwriter.c $(pkg-config --cflags --libs xlsxwriter) && ./a.out */
#include <xlsxwriter.h>

int main(void) {
    static const char* titoli[] = {"Data", "Nome", "Tipo salto", "N rip", "T volo (ms)",
                                   "T cont (ms)", "H (cm) ", "Sdown (cm) ", "Potenza (W)"};
    static const double righe[3][6] = {{1, 512.25, 201, 32.1771875, 0.1, 1234.5678},
                                       {5, 498, 187.5, 30.4, 12.34, -7.25},
                                       {9, 0.001, 250, 0.00001, 99.95, 3000}};
    lxw_workbook* wb = workbook_new("prova_libxlsxwriter.xlsx");
    lxw_worksheet* ws = workbook_add_worksheet(wb, "Foglio1");
    lxw_format* grassetto = workbook_add_format(wb);
    format_set_bold(grassetto);
    lxw_format* intero = workbook_add_format(wb);
    format_set_num_format(intero, "0");
    lxw_format* decimi = workbook_add_format(wb);
    format_set_num_format(decimi, "#.0");
    worksheet_set_column(ws, 0, LXW_COL_MAX - 1, 10, NULL);
    for (int c = 0; c < 9; ++c) worksheet_write_string(ws, 0, c, titoli[c], grassetto);
    worksheet_write_number(ws, 0, 9, 3, intero);
    for (int r = 0; r < 3; ++r) {
        worksheet_write_string(ws, r + 1, 0, " 2024 03 15 09 05 07", NULL);
        worksheet_write_string(ws, r + 1, 1, "Niccol\xc3\xb2 Ferr\xc3\xa8", NULL);
        worksheet_write_string(ws, r + 1, 2, "Squat Jump", NULL);
        for (int c = 0; c < 6; ++c) worksheet_write_number(ws, r + 1, 3 + c, righe[r][c], c >= 3 ? decimi : NULL);
    }
    return workbook_close(wb) == LXW_NO_ERROR ? 0 : 1;
}
