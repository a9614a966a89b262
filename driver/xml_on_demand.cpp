// The XML and XSLT libraries, loaded when a run first needs them.
//
// Only the manual, the XSLT processor and the help build's topic index use
// libxml2 and libxslt; every other mode would still pay for loading them
// (and what they load in turn) at each start. The program is therefore
// linked without them: each library function it calls is a small entry of
// the same name here that jumps through a slot. A slot first points to a
// common path that loads the libraries, fills every slot and goes on to
// the real function with the caller's arguments untouched. A function
// added to the program's use shows up as an undefined reference at link
// time: add it to the list below.
#include <dlfcn.h>
#include <libxml/globals.h>
#include <libxml/xmlmemory.h>
#include <libxslt/documents.h>

#include <cstdlib>
#include <mutex>

#include "driver/diagnostics.h"
#include "driver/output.h"

#define VORNC_XML_FUNCTIONS(X) \
  X(htmlIsBooleanAttr) \
  X(htmlSetMetaEncoding) \
  X(htmlTagLookup) \
  X(__xmlLoadExtDtdDefaultValue) \
  X(xmlAddChild) \
  X(xmlAddPrevSibling) \
  X(xmlCleanupInputCallbacks) \
  X(xmlCleanupOutputCallbacks) \
  X(xmlCleanupParser) \
  X(xmlDictFree) \
  X(xmlDocGetRootElement) \
  X(xmlFreeDoc) \
  X(xmlFreeDtd) \
  X(xmlFreeNode) \
  X(xmlFreeURI) \
  X(xmlGetExternalEntityLoader) \
  X(xmlGetProp) \
  X(xmlInitParser) \
  X(xmlMemGet) \
  X(xmlMemSetup) \
  X(xmlNewDocNode) \
  X(xmlNewDocTextLen) \
  X(xmlNewProp) \
  X(xmlNewText) \
  X(xmlNodeGetContent) \
  X(xmlNodeSetName) \
  X(xmlParseURI) \
  X(xmlPopOutputCallbacks) \
  X(xmlReadFile) \
  X(xmlReadMemory) \
  X(xmlRegisterDefaultInputCallbacks) \
  X(xmlRegisterDefaultOutputCallbacks) \
  X(xmlRegisterInputCallbacks) \
  X(xmlRegisterOutputCallbacks) \
  X(xmlRemoveProp) \
  X(xmlSetExternalEntityLoader) \
  X(xmlSetGenericErrorFunc) \
  X(xmlSetProp) \
  X(xmlSetStructuredErrorFunc) \
  X(xmlStrEqual) \
  X(xmlStrcasecmp) \
  X(xmlSubstituteEntitiesDefault) \
  X(xmlTextMerge) \
  X(xmlURIEscapeStr) \
  X(xmlUnlinkNode) \
  X(xmlXPathCastNodeToString) \
  X(xmlXPathCastToString) \
  X(xmlXPathFreeNodeSet) \
  X(xmlXPathFreeObject) \
  X(xmlXPathNewBoolean) \
  X(xmlXPathNewString) \
  X(xmlXPathNodeSetSort) \
  X(xmlXPathPopNodeSet) \
  X(xmlXPathPopString) \
  X(xmlXPatherror) \
  X(xsltApplyStylesheetUser) \
  X(xsltCleanupGlobals) \
  X(xsltEvalAttrValueTemplate) \
  X(xsltFreeSecurityPrefs) \
  X(xsltFreeStylesheet) \
  X(xsltFreeTransformContext) \
  X(xsltInit) \
  X(xsltNewDocument) \
  X(xsltNewSecurityPrefs) \
  X(xsltNewTransformContext) \
  X(xsltNextImport) \
  X(xsltParseStylesheetDoc) \
  X(xsltParseStylesheetFile) \
  X(xsltRegisterExtModuleElement) \
  X(xsltRegisterExtModuleFunction) \
  X(xsltSaveResultToFile) \
  X(xsltSaveResultToString) \
  X(xsltSecurityForbid) \
  X(xsltSetCtxtSecurityPrefs) \
  X(xsltSetGenericErrorFunc) \
  X(xsltSetLoaderFunc) \
  X(xsltSetSecurityPrefs) \
  X(xsltTransformError) \
  X(valuePop) \
  X(valuePush) \
  X(xsltXPathGetTransformContext)

// The entry and the slot of one function; a slot starts at the entry's
// second half, which hands the slot's address to the loading path.
#define VORNC_XML_ENTRY(name)                                       \
  asm(".text\n"                                                     \
      ".globl " #name "\n"                                          \
      ".type " #name ", @function\n"                                \
      #name ":\n"                                                   \
      "  endbr64\n"                                                 \
      "  jmp *vornc_xml_slot_" #name "(%rip)\n"                      \
      ".Lvornc_xml_first_" #name ":\n"                              \
      "  endbr64\n"                                                 \
      "  leaq vornc_xml_slot_" #name "(%rip), %r11\n"                \
      "  jmp vornc_xml_first_call\n"                                \
      ".size " #name ", . - " #name "\n"                            \
      ".data\n"                                                     \
      ".balign 8\n"                                                 \
      ".globl vornc_xml_slot_" #name "\n"                           \
      ".hidden vornc_xml_slot_" #name "\n"                          \
      "vornc_xml_slot_" #name ":\n"                                 \
      "  .quad .Lvornc_xml_first_" #name "\n"                       \
      ".text\n");
VORNC_XML_FUNCTIONS(VORNC_XML_ENTRY)

// The common path of a first call: the argument registers (and %rax, the
// vector-register count of a variadic call) are kept across the loading,
// then the call goes on through the slot, now filled.
asm(".text\n"
    ".globl vornc_xml_first_call\n"
    ".hidden vornc_xml_first_call\n"
    ".type vornc_xml_first_call, @function\n"
    "vornc_xml_first_call:\n"
    "  pushq %rdi\n"
    "  pushq %rsi\n"
    "  pushq %rdx\n"
    "  pushq %rcx\n"
    "  pushq %r8\n"
    "  pushq %r9\n"
    "  pushq %rax\n"
    "  pushq %r11\n"
    "  subq $136, %rsp\n"  // eight vector registers, and the call's alignment
    "  movdqu %xmm0, 0(%rsp)\n"
    "  movdqu %xmm1, 16(%rsp)\n"
    "  movdqu %xmm2, 32(%rsp)\n"
    "  movdqu %xmm3, 48(%rsp)\n"
    "  movdqu %xmm4, 64(%rsp)\n"
    "  movdqu %xmm5, 80(%rsp)\n"
    "  movdqu %xmm6, 96(%rsp)\n"
    "  movdqu %xmm7, 112(%rsp)\n"
    "  call vornc_load_xml_libraries\n"
    "  movdqu 0(%rsp), %xmm0\n"
    "  movdqu 16(%rsp), %xmm1\n"
    "  movdqu 32(%rsp), %xmm2\n"
    "  movdqu 48(%rsp), %xmm3\n"
    "  movdqu 64(%rsp), %xmm4\n"
    "  movdqu 80(%rsp), %xmm5\n"
    "  movdqu 96(%rsp), %xmm6\n"
    "  movdqu 112(%rsp), %xmm7\n"
    "  addq $136, %rsp\n"
    "  popq %r11\n"
    "  popq %rax\n"
    "  popq %r9\n"
    "  popq %r8\n"
    "  popq %rcx\n"
    "  popq %rdx\n"
    "  popq %rsi\n"
    "  popq %rdi\n"
    "  jmp *(%r11)\n"
    ".size vornc_xml_first_call, . - vornc_xml_first_call\n");

extern "C" {
#define VORNC_XML_SLOT_DECLARATION(name) extern void* vornc_xml_slot_##name;
VORNC_XML_FUNCTIONS(VORNC_XML_SLOT_DECLARATION)
#undef VORNC_XML_SLOT_DECLARATION
void vornc_load_xml_libraries();
}

namespace {

xmlFreeFunc* library_free = nullptr;
xsltDocLoaderFunc library_default_loader = nullptr;

void load_libraries() {
  // libxslt brings libxml2 along; a lookup through its handle finds both.
  void* library = dlopen(VORNC_XSLT_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    report_error("could not load the XML libraries: %s\n", dlerror());
    fail(1);
  }
  struct Slot {
    const char* name;
    void** slot;
  };
#define VORNC_XML_SLOT(name) {#name, &vornc_xml_slot_##name},
  static const Slot slots[] = {VORNC_XML_FUNCTIONS(VORNC_XML_SLOT)};
#undef VORNC_XML_SLOT
  for (const Slot& entry : slots) {
    void* function = dlsym(library, entry.name);
    if (function == nullptr) {
      report_error("could not load the XML libraries: %s has no '%s'\n", VORNC_XSLT_LIBRARY,
                   entry.name);
      fail(1);
    }
    __atomic_store_n(entry.slot, function, __ATOMIC_RELEASE);
  }
  library_free = static_cast<xmlFreeFunc*>(dlsym(library, "xmlFree"));
  auto* loader = static_cast<xsltDocLoaderFunc*>(dlsym(library, "xsltDocDefaultLoader"));
  if (library_free == nullptr || loader == nullptr) {
    report_error("could not load the XML libraries: %s\n", dlerror());
    fail(1);
  }
  library_default_loader = *loader;
}

void free_through_library(void* block) {
  vornc_load_xml_libraries();
  (*library_free)(block);
}

xmlDocPtr load_through_library(const xmlChar* uri, xmlDictPtr dict, int options, void* context,
                               xsltLoadType type) {
  vornc_load_xml_libraries();
  return library_default_loader(uri, dict, options, context, type);
}

}  // namespace

extern "C" void vornc_load_xml_libraries() {
  static std::once_flag once;
  std::call_once(once, load_libraries);
}

// The two library variables the program reads. xmlFree follows whatever
// the library's own variable holds at the time of the call (the manual
// step installs its own allocator); the document loader read before a
// stylesheet run installs its own is the library's default.
xmlFreeFunc xmlFree = free_through_library;
xsltDocLoaderFunc xsltDocDefaultLoader = load_through_library;
