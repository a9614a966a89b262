<?xml version="1.0" encoding="UTF-8"?>
<!-- toc_latex.xsl: the LaTeX main document (older layout)
     Part of the reference manual of the operator compiler vornc; carried
     inside the program and extracted into the working directory when used. -->
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:v="urn:vornc:manual"
    exclude-result-prefixes="v">
  <xsl:output method="text" encoding="UTF-8"/>
  <!-- The LaTeX main document of the manual (older layout): preamble,
       title, the chapter tree with one \input per operator, the class index
       for interfaces with classes, and the keyword index. -->
  <xsl:variable name="extension_package" select="$doc_element/@system = 'false'"/>

  <xsl:template match="/">
    <xsl:apply-templates select="toc"/>
  </xsl:template>

  <xsl:template match="toc">
    <xsl:text>% Reference manual, main document&#10;</xsl:text>
    <xsl:choose>
      <xsl:when test="$language = 'ja_JP'">
        <xsl:text>% Typeset with XeLaTeX.&#10;</xsl:text>
        <xsl:text>\documentclass[a4paper,10pt]{report}&#10;</xsl:text>
        <xsl:text>\usepackage{fontspec}&#10;</xsl:text>
        <xsl:text>\usepackage{xeCJK}&#10;</xsl:text>
        <xsl:text>\setCJKmainfont{IPAexMincho}&#10;</xsl:text>
        <xsl:text>\setCJKsansfont{IPAexGothic}&#10;</xsl:text>
        <xsl:text>\setCJKmonofont{IPAexGothic}&#10;</xsl:text>
      </xsl:when>
      <xsl:otherwise>
        <xsl:text>\documentclass[a4paper,10pt]{report}&#10;</xsl:text>
        <xsl:value-of select="concat('\usepackage[', $babel_language, ']{babel}&#10;')"/>
        <xsl:text>\usepackage[utf8]{inputenc}&#10;</xsl:text>
        <xsl:text>\usepackage[T1]{fontenc}&#10;</xsl:text>
      </xsl:otherwise>
    </xsl:choose>
    <xsl:text>\usepackage{graphicx}&#10;</xsl:text>
    <xsl:text>\usepackage{makeidx}&#10;</xsl:text>
    <xsl:text>\usepackage{hyperref}&#10;</xsl:text>
    <xsl:value-of select="concat('\IfFileExists{vornix_manual_', $language, '.sty}{\usepackage{vornix_manual_', $language, '}}{}&#10;')"/>
    <xsl:text>\providecommand{\vornixoperatorlevel}{section}&#10;</xsl:text>
    <xsl:text>\providecommand{\vornixoperator}[2]{\clearpage\csname\vornixoperatorlevel\endcsname{#2}\label{op:#1}\index{#2}}&#10;</xsl:text>
    <xsl:text>\providecommand{\vornixheading}[1]{\par\medskip\noindent\textbf{\large #1}\par\nopagebreak}&#10;</xsl:text>
    <!-- Identifiers and lists of them must not run off the page: a line
         may break after an underscore of a name, and lines may stretch
         before a long name that cannot break at all. -->
    <xsl:text>\DeclareRobustCommand{\_}{\ifmmode\mbox{\textunderscore}\else\textunderscore\allowbreak\fi}&#10;</xsl:text>
    <xsl:text>\setlength{\emergencystretch}{3em}&#10;</xsl:text>
    <!-- a figure whose image file is not there shows its name -->
    <xsl:text>\providecommand{\vornixfigure}[2][]{\IfFileExists{#2.pdf}{\includegraphics[#1]{#2}}{\IfFileExists{#2.png}{\includegraphics[#1]{#2}}{\IfFileExists{#2.jpg}{\includegraphics[#1]{#2}}{\texttt{\detokenize{#2}}}}}}&#10;</xsl:text>
    <xsl:text>\makeindex&#10;</xsl:text>
    <xsl:text>\title{</xsl:text>
    <xsl:call-template name="latex_escape"><xsl:with-param name="text" select="$interface_title"/></xsl:call-template>
    <xsl:text> </xsl:text>
    <xsl:call-template name="phrase"><xsl:with-param name="id" select="'title_manual'"/></xsl:call-template>
    <xsl:text>}&#10;</xsl:text>
    <xsl:if test="$extension_package">
      <xsl:text>\author{</xsl:text>
      <xsl:call-template name="latex_escape"><xsl:with-param name="text" select="$doc_element/@author"/></xsl:call-template>
      <xsl:text>}&#10;</xsl:text>
      <xsl:text>\newcommand{\vornixcopyright}{</xsl:text>
      <xsl:call-template name="latex_escape"><xsl:with-param name="text" select="$doc_element/@copyright"/></xsl:call-template>
      <xsl:text>}&#10;</xsl:text>
      <xsl:text>\date{\vornixcopyright}&#10;</xsl:text>
    </xsl:if>
    <xsl:text>\begin{document}&#10;</xsl:text>
    <xsl:text>\maketitle&#10;</xsl:text>
    <xsl:text>\tableofcontents&#10;</xsl:text>
    <xsl:apply-templates select="chapter"/>
    <!-- operators outside the chapter tree (without a chapter, or in the
         chapter OldVersion) in a chapter of their own -->
    <xsl:if test="operator">
      <xsl:text>&#10;\chapter{</xsl:text>
      <xsl:call-template name="phrase"><xsl:with-param name="id" select="'term_operators'"/></xsl:call-template>
      <xsl:text>}&#10;\renewcommand{\vornixoperatorlevel}{section}&#10;</xsl:text>
      <xsl:for-each select="operator">
        <xsl:value-of select="concat('\input ', @id, '.tex&#10;')"/>
      </xsl:for-each>
    </xsl:if>
    <!-- the class index is written for every interface but these two -->
    <xsl:if test="$interface_has_classes">
      <xsl:text>\input index_classes.tex&#10;</xsl:text>
    </xsl:if>
    <xsl:text>\printindex&#10;</xsl:text>
    <xsl:text>\end{document}&#10;</xsl:text>
  </xsl:template>

  <!-- Chapters by depth: chapter, section, subsection and below. Each
       operator is included once, where it first appears. -->
  <xsl:template match="chapter">
    <xsl:variable name="depth" select="count(ancestor-or-self::chapter)"/>
    <xsl:choose>
      <xsl:when test="$depth = 1">&#10;\chapter{</xsl:when>
      <xsl:when test="$depth = 2">&#10;\section{</xsl:when>
      <xsl:when test="$depth = 3">&#10;\subsection{</xsl:when>
      <xsl:otherwise>&#10;\subsubsection{</xsl:otherwise>
    </xsl:choose>
    <xsl:call-template name="latex_escape"><xsl:with-param name="text" select="@name"/></xsl:call-template>
    <xsl:text>}&#10;</xsl:text>
    <xsl:for-each select="description">
      <xsl:apply-templates/>
      <xsl:text>&#10;</xsl:text>
    </xsl:for-each>
    <xsl:if test="operator[generate-id() = generate-id(key('operator_by_id', @id)[1])]">
      <xsl:choose>
        <xsl:when test="$depth = 1">\renewcommand{\vornixoperatorlevel}{section}&#10;</xsl:when>
        <xsl:when test="$depth = 2">\renewcommand{\vornixoperatorlevel}{subsection}&#10;</xsl:when>
        <xsl:when test="$depth = 3">\renewcommand{\vornixoperatorlevel}{subsubsection}&#10;</xsl:when>
        <xsl:otherwise>\renewcommand{\vornixoperatorlevel}{paragraph}&#10;</xsl:otherwise>
      </xsl:choose>
    </xsl:if>
    <xsl:for-each select="operator[generate-id() = generate-id(key('operator_by_id', @id)[1])]">
      <xsl:value-of select="concat('\input ', @id, '.tex&#10;')"/>
    </xsl:for-each>
    <xsl:apply-templates select="chapter"/>
  </xsl:template>

  <!-- common block: common.xsl -->

  <!-- The first operator element of each id, for lists that name every
       operator once. (Here, not in the common block: every key is built over
       each document it is used in.) -->
  <xsl:key name="operator_by_id" match="operator" use="@id"/>

  <!-- ============ Markup of the documentation texts (LaTeX) ============ -->
  <!-- every text of the markup, escaped; natively without a template call
       for each, which the many short texts of a page would cost -->
  <xsl:template match="text()">
    <xsl:choose>
      <xsl:when test="function-available('v:latex_escape')"><xsl:value-of select="v:latex_escape(string(.))"/></xsl:when>
      <xsl:otherwise><xsl:call-template name="latex_escape"><xsl:with-param name="text" select="."/></xsl:call-template></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
  <xsl:template match="p[not(*) and normalize-space(.) = '' and not(@title)]"/>
  <xsl:template match="p">
    <xsl:if test="@title">
      <xsl:text>\paragraph{</xsl:text>
      <xsl:call-template name="latex_escape"><xsl:with-param name="text" select="@title"/></xsl:call-template>
      <xsl:text>} </xsl:text>
    </xsl:if>
    <xsl:apply-templates/>
    <xsl:text>&#10;&#10;</xsl:text>
  </xsl:template>
  <xsl:template match="b">\textbf{<xsl:apply-templates/>}</xsl:template>
  <xsl:template match="i">\textit{<xsl:apply-templates/>}</xsl:template>
  <xsl:template match="em">\emph{<xsl:apply-templates/>}</xsl:template>
  <xsl:template match="mono">\texttt{<xsl:apply-templates/>}</xsl:template>
  <xsl:template match="br"><xsl:text>\leavevmode\\&#10;</xsl:text></xsl:template>
  <xsl:template match="backslash">\textbackslash{}</xsl:template>
  <xsl:template match="ul"><xsl:text>&#10;\begin{itemize}&#10;</xsl:text><xsl:apply-templates/><xsl:text>\end{itemize}&#10;</xsl:text></xsl:template>
  <xsl:template match="ol"><xsl:text>&#10;\begin{enumerate}&#10;</xsl:text><xsl:apply-templates/><xsl:text>\end{enumerate}&#10;</xsl:text></xsl:template>
  <xsl:template match="li"><xsl:text>\item </xsl:text><xsl:apply-templates/><xsl:text>&#10;</xsl:text></xsl:template>
  <xsl:template match="dl"><xsl:text>&#10;\begin{description}&#10;</xsl:text><xsl:apply-templates/><xsl:text>\end{description}&#10;</xsl:text></xsl:template>
  <xsl:template match="dt"><xsl:text>\item[{</xsl:text><xsl:apply-templates/><xsl:text>}] </xsl:text></xsl:template>
  <xsl:template match="dd"><xsl:apply-templates/><xsl:text>&#10;</xsl:text></xsl:template>
  <xsl:template match="details"><xsl:apply-templates/></xsl:template>
  <xsl:template match="detailssummary">\textbf{<xsl:apply-templates/>} </xsl:template>
  <xsl:template match="alignment">
    <xsl:variable name="environment">
      <xsl:choose>
        <xsl:when test="@halign = 'left'">flushleft</xsl:when>
        <xsl:when test="@halign = 'right'">flushright</xsl:when>
        <xsl:otherwise>center</xsl:otherwise>
      </xsl:choose>
    </xsl:variable>
    <xsl:value-of select="concat('&#10;\begin{', $environment, '}&#10;')"/>
    <xsl:apply-templates/>
    <xsl:value-of select="concat('&#10;\end{', $environment, '}&#10;')"/>
  </xsl:template>
  <xsl:template match="external">
    <xsl:variable name="target"><xsl:call-template name="safe_link_target"><xsl:with-param name="url" select="@url"/></xsl:call-template></xsl:variable>
    <!-- braces and backslashes cannot stand in a link target; percent and
         hash signs are escaped -->
    <xsl:variable name="url">
      <xsl:call-template name="replace_substring">
        <xsl:with-param name="text" select="translate($target, '{}\', '')"/>
        <xsl:with-param name="from" select="'%'"/>
        <xsl:with-param name="to" select="'\%'"/>
      </xsl:call-template>
    </xsl:variable>
    <xsl:choose>
      <xsl:when test="$target != ''">
        <xsl:text>\href{</xsl:text>
        <xsl:call-template name="replace_substring">
          <xsl:with-param name="text" select="$url"/>
          <xsl:with-param name="from" select="'#'"/>
          <xsl:with-param name="to" select="'\#'"/>
        </xsl:call-template>
        <xsl:text>}{</xsl:text>
        <xsl:apply-templates/>
        <xsl:text>}</xsl:text>
      </xsl:when>
      <xsl:otherwise><xsl:apply-templates/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
  <xsl:template match="trademark"><xsl:call-template name="trademark_text"/></xsl:template>
  <xsl:template match="resultstate">\texttt{<xsl:call-template name="resultstate_text"/>}</xsl:template>
  <xsl:template match="list_param_attention | list_param_restriction | list_default_value | list_value_list | list_value_range | list_value_suggestion">
    <xsl:variable name="id"><xsl:call-template name="list_heading_phrase"/></xsl:variable>
    <xsl:text>\textbf{</xsl:text>
    <xsl:call-template name="phrase"><xsl:with-param name="id" select="$id"/></xsl:call-template>
    <xsl:text>}</xsl:text>
  </xsl:template>
  <xsl:template match="chapref">
    <xsl:text>\textit{</xsl:text>
    <xsl:for-each select="descendant-or-self::chapref">
      <xsl:if test="position() &gt; 1"> / </xsl:if>
      <xsl:call-template name="latex_escape"><xsl:with-param name="text" select="@name"/></xsl:call-template>
    </xsl:for-each>
    <xsl:text>}</xsl:text>
  </xsl:template>
  <!-- operator references link the operator's section (\vornixoperator sets
       the label op:<id>) -->
  <xsl:template match="opref">
    <xsl:variable name="name"><xsl:call-template name="syntax_text"/></xsl:variable>
    <xsl:value-of select="concat('\hyperref[op:', @id, ']{\texttt{')"/>
    <xsl:call-template name="latex_name"><xsl:with-param name="text" select="$name"/></xsl:call-template>
    <xsl:text>}}</xsl:text>
  </xsl:template>
  <xsl:template match="parref | parname | valref">
    <xsl:variable name="name"><xsl:call-template name="syntax_text"/></xsl:variable>
    <xsl:text>\texttt{</xsl:text>
    <xsl:call-template name="latex_escape"><xsl:with-param name="text" select="$name"/></xsl:call-template>
    <xsl:text>}</xsl:text>
  </xsl:template>
  <xsl:template match="syntax"><xsl:apply-templates/></xsl:template>

  <!-- Format blocks: LaTeX takes the LaTeX part, else the formula, else the
       ASCII part. -->
  <xsl:template match="format">
    <xsl:choose>
      <xsl:when test="latex"><xsl:apply-templates select="latex"/></xsl:when>
      <xsl:when test="formula"><xsl:apply-templates select="formula"/></xsl:when>
      <xsl:otherwise><xsl:apply-templates select="ascii"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
  <xsl:template match="latex"><xsl:value-of select="."/></xsl:template>
  <xsl:template match="formula"><xsl:value-of select="concat('\[ ', ., ' \]')"/></xsl:template>
  <xsl:template match="inline_formula"><xsl:value-of select="concat('$', ., '$')"/></xsl:template>
  <xsl:template match="ascii">
    <xsl:choose>
      <xsl:when test="@preformatted = 'true'">
        <xsl:text>&#10;\begin{verbatim}</xsl:text>
        <xsl:value-of select="."/>
        <xsl:text>&#10;\end{verbatim}&#10;</xsl:text>
      </xsl:when>
      <xsl:otherwise><xsl:apply-templates/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
  <!-- \vornixfigure (main document) shows the image, or its name when no
       image file of that name is there. -->
  <xsl:template match="figure">
    <xsl:text>&#10;\begin{center}&#10;\vornixfigure</xsl:text>
    <xsl:if test="@scale"><xsl:value-of select="concat('[scale=', @scale, ']')"/></xsl:if>
    <xsl:value-of select="concat('{', @prefix, '}')"/>
    <xsl:apply-templates/>
    <xsl:text>&#10;\end{center}&#10;</xsl:text>
  </xsl:template>

  <!-- Tables: one column per tc (l, r, c; a width gives a paragraph
       column); a last row left open by a final line break stays out. -->
  <xsl:template match="table">
    <xsl:text>&#10;\begin{tabular}{</xsl:text>
    <xsl:apply-templates select="tc"/>
    <xsl:if test="not(tc)">l</xsl:if>
    <xsl:text>}&#10;</xsl:text>
    <xsl:if test="@style = 'grid'">\hline&#10;</xsl:if>
    <xsl:apply-templates select="tr[not(position() = last() and not(normalize-space(.)) and not(*/*))]"/>
    <xsl:text>\end{tabular}&#10;</xsl:text>
  </xsl:template>
  <xsl:template match="tc">
    <xsl:choose>
      <xsl:when test="@width"><xsl:value-of select="concat('p{', @width, 'em}')"/></xsl:when>
      <xsl:when test="@align = 'right'">r</xsl:when>
      <xsl:when test="@align = 'center'">c</xsl:when>
      <xsl:otherwise>l</xsl:otherwise>
    </xsl:choose>
  </xsl:template>
  <xsl:template match="tr">
    <xsl:apply-templates select="td"/>
    <xsl:text> \\&#10;</xsl:text>
    <xsl:if test="ancestor::table[1]/@style = 'grid'">\hline&#10;</xsl:if>
  </xsl:template>
  <xsl:template match="td">
    <xsl:if test="preceding-sibling::td"> &amp; </xsl:if>
    <xsl:apply-templates/>
  </xsl:template>
  <!-- ================== end of the LaTeX markup ================== -->
</xsl:stylesheet>
