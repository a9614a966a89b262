<?xml version="1.0" encoding="UTF-8"?>
<!-- classes_latex.xsl: the class index as LaTeX (older layout)
     Part of the reference manual of the operator compiler vornc; carried
     inside the program and extracted into the working directory when used. -->
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:v="urn:vornc:manual"
    exclude-result-prefixes="v">
  <xsl:output method="text" encoding="UTF-8"/>
  <!-- The class index as LaTeX (older layout): one section per class with
       its description, base class and member groups. -->

  <xsl:template match="/">
    <xsl:apply-templates select="classes"/>
  </xsl:template>

  <xsl:template match="classes">
    <xsl:text>% Class index&#10;\chapter{</xsl:text>
    <xsl:call-template name="phrase"><xsl:with-param name="id" select="'title_classindex'"/></xsl:call-template>
    <xsl:text>}&#10;</xsl:text>
    <xsl:apply-templates select="class">
      <xsl:sort select="@id"/>
    </xsl:apply-templates>
    <!-- an interface without classes (Python) says so instead of an empty chapter -->
    <xsl:if test="not(class)">
      <xsl:call-template name="phrase"><xsl:with-param name="id" select="'term_page_not_available'"/></xsl:call-template>
      <xsl:text>&#10;</xsl:text>
    </xsl:if>
  </xsl:template>

  <xsl:template match="class">
    <xsl:variable name="name">
      <xsl:choose>
        <xsl:when test="name"><xsl:value-of select="normalize-space(name)"/></xsl:when>
        <xsl:otherwise><xsl:value-of select="@id"/></xsl:otherwise>
      </xsl:choose>
    </xsl:variable>
    <xsl:text>&#10;\section{</xsl:text>
    <xsl:call-template name="latex_escape"><xsl:with-param name="text" select="$name"/></xsl:call-template>
    <xsl:value-of select="concat('}\label{class:', @id, '}&#10;')"/>
    <xsl:text>\index{</xsl:text>
    <xsl:call-template name="latex_escape"><xsl:with-param name="text" select="$name"/></xsl:call-template>
    <xsl:text>}&#10;</xsl:text>
    <xsl:for-each select="description">
      <xsl:apply-templates/>
      <xsl:text>&#10;</xsl:text>
    </xsl:for-each>
    <xsl:for-each select="base">
      <xsl:text>&#10;\subsection*{</xsl:text>
      <xsl:call-template name="phrase"><xsl:with-param name="id" select="'sec_class_base'"/></xsl:call-template>
      <xsl:text>}&#10;\texttt{</xsl:text>
      <xsl:call-template name="latex_escape"><xsl:with-param name="text" select="@name"/></xsl:call-template>
      <xsl:text>}&#10;</xsl:text>
    </xsl:for-each>
    <xsl:apply-templates select="members/member_group"/>
  </xsl:template>

  <xsl:template match="member_group">
    <xsl:variable name="phrase_id">
      <xsl:choose>
        <xsl:when test="starts-with(@type, 'constructor')">sec_class_constructors</xsl:when>
        <xsl:when test="starts-with(@type, 'destructor')">sec_class_destructor</xsl:when>
        <xsl:when test="starts-with(@type, 'finalizer')">sec_class_finalizer</xsl:when>
        <xsl:otherwise>sec_class_methods</xsl:otherwise>
      </xsl:choose>
    </xsl:variable>
    <xsl:text>&#10;\subsection*{</xsl:text>
    <xsl:call-template name="phrase"><xsl:with-param name="id" select="$phrase_id"/></xsl:call-template>
    <xsl:text>}&#10;</xsl:text>
    <xsl:choose>
      <xsl:when test="$phrase_id = 'sec_class_destructor' or $phrase_id = 'sec_class_finalizer'">
        <xsl:for-each select="signature">
          <xsl:text>\texttt{</xsl:text>
          <xsl:call-template name="latex_escape"><xsl:with-param name="text" select="@name"/></xsl:call-template>
          <xsl:text>}\\&#10;</xsl:text>
        </xsl:for-each>
        <xsl:call-template name="phrase">
          <xsl:with-param name="id">
            <xsl:choose>
              <xsl:when test="$phrase_id = 'sec_class_finalizer'">text_finalizer_dotnet</xsl:when>
              <xsl:when test="$interface = 'com'">text_destructor_com</xsl:when>
              <xsl:otherwise>text_destructor_cpp</xsl:otherwise>
            </xsl:choose>
          </xsl:with-param>
        </xsl:call-template>
        <xsl:text>&#10;</xsl:text>
      </xsl:when>
      <xsl:when test="signature">
        <xsl:text>\begin{description}&#10;</xsl:text>
        <xsl:for-each select="signature">
          <xsl:text>\item[{\texttt{</xsl:text>
          <xsl:call-template name="latex_escape"><xsl:with-param name="text" select="@name"/></xsl:call-template>
          <xsl:text>}}] </xsl:text>
          <xsl:apply-templates select="summary/node()"/>
          <xsl:text> (\texttt{</xsl:text>
          <xsl:call-template name="latex_escape"><xsl:with-param name="text" select="@id"/></xsl:call-template>
          <xsl:text>})&#10;</xsl:text>
        </xsl:for-each>
        <xsl:text>\end{description}&#10;</xsl:text>
      </xsl:when>
    </xsl:choose>
  </xsl:template>

  <!-- common block: common.xsl -->

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
