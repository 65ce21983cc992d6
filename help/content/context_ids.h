/* Context identifiers of the Mapwell help topics.
   The program's Help menu opens each topic by its number; mwl.hhp maps the
   names below to the pages in its [ALIAS] section and includes this file
   in its [MAP] section. Keep the numbers unchanged: they are the ones the
   program asks for. */
#define IDH_INTRODUCTION          100
#define IDH_CREATE_VIRTUAL_DRIVE  110
#define IDH_CREATE_VIRTUAL_CD     120
#define IDH_MAKE_PERMANENT        130
#define IDH_USING_THE_KEYBOARD    140
#define IDH_REMOVE_VIRTUAL_DRIVE  150
#define IDH_MISC_FUNCTIONS        165
